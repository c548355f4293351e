// Random terminal input against the key decoder. The input is read as
// chunks: a length byte, a time step byte, then the chunk's bytes; the first
// byte picks UTF-8 or code page 437 input and ^? or ^H as the erase key.
// Whatever arrives, every key is a KeyCode (or a pasted character), no key
// appears without a byte behind it, and silence leaves nothing pending.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/key_decoder.h"
#include "platform/keys.h"

namespace {

void require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "key decoder: %s\n", what);
  std::abort();
}

// A KeyCode; a pasted character's byte is never a control byte.
bool is_key_code(int k) {
  if (k == KeyDecoder::REFUSED) return true;
  const int pasted = key::pasted_byte(k);
  if (key::is_pasted(k)) return pasted >= 0x20 && pasted != 0x7F;
  return k > 0 && k < 0x10000;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  KeyDecoder decoder((data[0] & 1) != 0, (data[0] & 2) ? 0x08 : 0x7F);
  size_t pos = 1, fed = 0, keys = 0;
  int64_t now = 0;
  auto take = [&](const std::vector<int>& got) {
    for (int k : got) {
      if (!is_key_code(k)) std::fprintf(stderr, "key 0x%x\n", static_cast<unsigned>(k));
      require(is_key_code(k), "a key outside the KeyCode range");
    }
    keys += got.size();
  };
  while (pos + 2 <= size) {
    const size_t length = data[pos] % 16;
    now += data[pos + 1];
    pos += 2;
    const size_t n = length < size - pos ? length : size - pos;
    take(decoder.feed(std::string_view(reinterpret_cast<const char*>(data + pos), n), now));
    pos += n;
    fed += n;
    const int wait = decoder.timeout_ms(now);
    require(wait >= -1 && wait <= 1000, "an unreasonable timeout");
    if (wait >= 0 && (data[pos - 1] & 0x80)) take(decoder.tick(now += wait));
  }
  take(decoder.tick(now + 10000));
  require(decoder.timeout_ms(now + 10000) == -1, "input pending after a long silence");
  require(keys <= fed, "more keys than bytes");
  return 0;
}
