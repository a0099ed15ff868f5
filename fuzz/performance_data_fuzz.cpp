// The performance data parser over any block: four bytes of the counter's name index
// (little-endian), the instance name ended by a zero byte, then the block itself, copied into a
// buffer of exactly its size so that a read past its end is caught.
#include <string>
#include <vector>

#include "fuzz_fields.h"
#include "system/performance_data_block.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzFields fields(data, size);
    const DWORD counterNameIndex = fields.Number(4);
    const std::string name = fields.Text();
    const std::string rest = fields.Rest();
    const std::vector<BYTE> block(rest.begin(), rest.end());

    FindInstanceCounterValue(block.data(), static_cast<DWORD>(block.size()), counterNameIndex,
                             name.c_str());
    return 0;
}
