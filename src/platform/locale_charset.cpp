#include "platform/locale_charset.h"

#include <langinfo.h>

#include <clocale>
#include <cstring>

bool locale_is_utf8() noexcept {
  std::setlocale(LC_CTYPE, "");
  const char* codeset = nl_langinfo(CODESET);
  return codeset && (std::strcmp(codeset, "UTF-8") == 0 || std::strcmp(codeset, "utf8") == 0);
}
