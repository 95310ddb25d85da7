// libFuzzer harness: ReadConfig must survive any kestrel.cfg and keep its fields in bounds.
#include "core/Kestrel_core.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool inTempDir = false;
    if (!inTempDir) {
        char dir[] = "/tmp/kestrel_cfg_fuzz_XXXXXX";
        if (mkdtemp(dir) == nullptr || chdir(dir) != 0) abort();
        inTempDir = true;
    }
    // A new file each time: truncating one on ext4 flushes it to disk at close, which is slow.
    unlink("kestrel.cfg");
    FILE* file = fopen("kestrel.cfg", "wb");
    if (file == nullptr) abort();
    fwrite(data, 1, size, file);
    fclose(file);
    ReadConfig();
    if (strlen(GetSerNum()) > SERNUM_MAX_CHARS || strlen(GetDevDesc()) > DEVDESC_MAX_CHARS) abort();
    return 0;
}
