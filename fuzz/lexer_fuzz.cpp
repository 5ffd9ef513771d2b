// Feeds arbitrary bytes to the script lexer, token by token with look-ahead,
// and reads every literal through the value conversions.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/script/engine.h"
#include "core/script/lexer.h"
#include "platform/exception.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool started = [] {
    orv::EngineStartup();
    orv::SetLexerMessageHook(nullptr);
    return true;
  }();
  (void)started;
  orv::TLexer lexer(std::string_view(reinterpret_cast<const char*>(data), size));
  orv::TToken token;
  try {
    // Every token consumes at least one byte, so size + 1 reads reach the end.
    for (size_t i = 0; i <= size; ++i) {
      lexer.PeekToken(token);
      lexer.GetToken(token);
      if (token.Kind == orv::tkEnd) break;
      if (token.Kind == orv::tkString || token.Kind == orv::tkDigits) {
        try {
          token.Value.AsReal();
          token.Value.AsType(orv::varDate);
        } catch (const orv::Exception&) {
        }
      }
    }
  } catch (const orv::Exception&) {
  }
  return 0;
}
