// A second start's side of the DDE hand-over: connects to a service and topic and sends
// one execute request. Exit code: 0 acknowledged, 1 refused or failed, 2 no conversation,
// 3 no DDE.
//   dde_client <service> <topic> <command string>
//   dde_client <service> <topic> @<file>   sends the file's bytes as they are (a command
//                                          longer than a command line, or ill-formed)
#include <windows.h>
#include <ddeml.h>
#include <shellapi.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (!argv || argc < 4) {
    return 3;
  }
  DWORD instance = 0;
  if (::DdeInitializeW(&instance, ClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
    return 3;
  }
  HSZ service = ::DdeCreateStringHandleW(instance, argv[1], CP_WINUNICODE);
  HSZ topic = ::DdeCreateStringHandleW(instance, argv[2], CP_WINUNICODE);
  int code = 2;
  if (HCONV conversation = ::DdeConnect(instance, service, topic, nullptr)) {
    std::vector<char> bytes;
    const std::wstring command = argv[3];
    if (!command.empty() && command[0] == L'@') {
      std::ifstream file(std::filesystem::path(command.substr(1)), std::ios::binary);
      bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    } else {
      const auto* first = reinterpret_cast<const char*>(command.c_str());
      bytes.assign(first, first + (command.size() + 1) * sizeof(wchar_t));
    }
    DWORD result = 0;
    const HDDEDATA done = ::DdeClientTransaction(reinterpret_cast<LPBYTE>(bytes.data()),
                                                 static_cast<DWORD>(bytes.size()), conversation,
                                                 nullptr, 0, XTYP_EXECUTE, 10000, &result);
    code = done && (result & DDE_FACK) ? 0 : 1;
    ::DdeDisconnect(conversation);
  }
  ::DdeFreeStringHandle(instance, topic);
  ::DdeFreeStringHandle(instance, service);
  ::DdeUninitialize(instance);
  ::LocalFree(argv);
  return code;
}
