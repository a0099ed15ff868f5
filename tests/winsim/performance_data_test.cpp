// HKEY_PERFORMANCE_DATA: the block read at the byte offsets Windows documents, not through the
// structures the parser shares with the machine, so that a wrong structure shows. The library's
// own tests hold the buffer rules of the query.
#include <cstring>
#include <string>
#include <vector>

#include "winsim/fresh_machine.h"

namespace {

constexpr DWORD kIdProcess = 784;
constexpr size_t kObject = 104;  // the block's header: 88 bytes and the computer's name

DWORD At(const std::vector<BYTE>& data, size_t offset) {
    DWORD value = 0xFFFFFFFF;
    if (offset + sizeof value <= data.size()) {
        std::memcpy(&value, data.data() + offset, sizeof value);
    }
    return value;
}

std::u16string Text(const std::vector<BYTE>& data, size_t offset, size_t bytes) {
    std::u16string text(bytes / 2, u'?');
    if (offset + bytes <= data.size()) {
        std::memcpy(&text[0], data.data() + offset, bytes);
    }
    return text;
}

using PerformanceData = FreshMachine;

TEST_F(PerformanceData, TheBlockLiesWhereWindowsPutsItsParts) {
    const DWORD server = winsim::StartProcess("nserver");
    const DWORD cafe = winsim::StartProcess("caf\xe9\x80");
    std::vector<BYTE> data(1 << 20);
    DWORD size = static_cast<DWORD>(data.size());
    ASSERT_EQ(RegQueryValueExA(HKEY_PERFORMANCE_DATA, "230", nullptr, nullptr, data.data(), &size),
              ERROR_SUCCESS);
    data.resize(size);
    EXPECT_EQ(Text(data, 0, 8), u"PERF");
    EXPECT_EQ(At(data, 8), 1u);            // LittleEndian
    EXPECT_EQ(At(data, 20), data.size());  // TotalByteLength
    EXPECT_EQ(At(data, 24), kObject);      // HeaderLength
    EXPECT_EQ(At(data, 28), 1u);           // NumObjectTypes
    EXPECT_EQ(At(data, 80), 14u);          // SystemNameLength
    EXPECT_EQ(At(data, 84), 88u);          // SystemNameOffset
    EXPECT_EQ(Text(data, 88, 14), std::u16string(u"WINSIM\0", 7));
    EXPECT_EQ(At(data, kObject), data.size() - kObject);  // TotalByteLength
    EXPECT_EQ(At(data, kObject + 4), 64u + 27 * 40);      // DefinitionLength
    EXPECT_EQ(At(data, kObject + 8), 64u);                // HeaderLength
    EXPECT_EQ(At(data, kObject + 12), 230u);              // ObjectNameTitleIndex
    EXPECT_EQ(At(data, kObject + 32), 27u);               // NumCounters
    EXPECT_EQ(At(data, kObject + 40), 5u);                // NumInstances
    // Each counter lies after the counter block's length, on an offset aligned to its size.
    DWORD end = 4;
    DWORD idOffset = 0;
    for (size_t counter = kObject + 64; counter < kObject + 64 + 27 * 40; counter += 40) {
        const DWORD length = At(data, counter + 32);
        const DWORD offset = At(data, counter + 36);
        EXPECT_EQ(At(data, counter), 40u);
        EXPECT_TRUE(length == 4 || length == 8) << length;
        EXPECT_EQ(offset % length, 0u);
        EXPECT_GE(offset, end);
        end = offset + length;
        idOffset = At(data, counter + 4) == kIdProcess ? offset : idOffset;
    }
    // Instances: their names in UTF-16 from the ANSI code page, padded to 8 bytes, each followed
    // by its counters.
    const std::vector<std::u16string> names = {u"Idle", u"System", u"nserver", u"caf\u00e9\u20ac",
                                               u"_Total"};
    const std::vector<DWORD> ids = {0, 2, server, cafe, 0};
    size_t at = kObject + At(data, kObject + 4);
    for (size_t i = 0; i < names.size(); ++i) {
        const DWORD nameLength = At(data, at + 20);
        EXPECT_EQ(At(data, at + 16), 24u);  // NameOffset
        EXPECT_EQ(nameLength, (names[i].size() + 1) * 2);
        EXPECT_EQ(Text(data, at + 24, nameLength), names[i] + u'\0');
        EXPECT_EQ(At(data, at), (24 + nameLength + 7) / 8 * 8);  // ByteLength
        const size_t counters = at + At(data, at);
        EXPECT_EQ(At(data, counters), (end + 7) / 8 * 8);
        EXPECT_EQ(At(data, counters + idOffset), ids[i]) << i;
        at = counters + At(data, counters);
    }
    EXPECT_EQ(at, data.size());
}

}  // namespace
