# The updater's portable logic and the platform's release cryptography are tested in the
# portable suite (natively with the sanitizers, and under Wine with BCrypt).
get_property(updater_sources GLOBAL PROPERTY ORVANE_UPDATER_TEST_SOURCES)
target_sources(core_tests PRIVATE ${updater_sources})
if(WIN32)
  target_link_libraries(core_tests PRIVATE bcrypt)
else()
  find_package(OpenSSL REQUIRED COMPONENTS Crypto)
  target_link_libraries(core_tests PRIVATE OpenSSL::Crypto)
endif()
