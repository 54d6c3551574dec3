// The code page on any bytes: decoding never fails, and text decoded without a replacement
// character encodes and decodes back to itself.
#include "FuzzSupport.h"
#include "text/Codec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = text::fromCp950(bytes);
    if (!text.contains(QChar(0xFFFD))) {
        const std::optional<QByteArray> again = text::toCp950(text);
        fuzz::require(again.has_value(), "decoded text cannot be encoded");
        fuzz::require(text::fromCp950(*again) == text, "encoded text decodes differently");
    }
    // A file's content: the byte-order mark decides, and writing keeps every character.
    const QString content = text::decode(bytes);
    fuzz::require(text::decode(text::encode(content)) == content, "file text changes when written");
    text::splitLines(content);
    text::cp950Code(content);
    return 0;
}
