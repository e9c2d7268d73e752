#include <windows.h>

#include <string>

#include "base/resources.h"

namespace orvane {
namespace {

// Resources live in the program file itself; test programs link the same resource
// script, so they find them the same way.
std::optional<std::vector<std::uint8_t>> ReadResource(LPCWSTR name, LPCWSTR type) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, name, type);
  if (found == nullptr) {
    return std::nullopt;
  }
  const DWORD size = SizeofResource(module, found);
  // A loaded resource is part of the mapped module: nothing to free.
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr || size == 0) {
    return std::nullopt;
  }
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  return std::vector<std::uint8_t>(bytes, bytes + size);
}

}  // namespace

std::optional<std::vector<std::uint8_t>> LoadResourceBytes(ResourceType type, int id) {
  if (id < 1 || id > 0xFFFF) {
    return std::nullopt;
  }
  LPCWSTR name = MAKEINTRESOURCEW(id);
  if (type == ResourceType::Bitmap) {
    return ReadResource(name, MAKEINTRESOURCEW(2) /* RT_BITMAP */);
  }
  const std::string_view type_name = CustomTypeName(type);
  const std::wstring wide_type(type_name.begin(), type_name.end());
  return ReadResource(name, wide_type.c_str());
}

}  // namespace orvane
