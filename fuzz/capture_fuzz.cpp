// libFuzzer harness: the capture replay and the marker search must survive any USB_LogFile2.bin.
#include "engine/OfflineDiag.h"
#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"
#include "ui/Panels.h"
#include "ui/Resources.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static int mainPanel = -1;
    if (mainPanel < 0) {
        char dir[] = "/tmp/kestrel_capture_fuzz_XXXXXX";
        if (mkdtemp(dir) == nullptr || chdir(dir) != 0) abort();
        RegisterKestrelResources();
        if (!InitCVIRTE(nullptr, nullptr, nullptr)) abort();
        mainPanel = LoadPanel(0, "KestrelUIR.uir", MAINPANEL);
        if (mainPanel < 0) abort();
        SetPanelHandles(mainPanel, -1, -1);
    }
    FILE* file = fopen("USB_LogFile2.bin", "wb");
    if (file == nullptr) abort();
    fwrite(data, 1, size, file);
    fclose(file);
    SimulCB(0, 0, EVENT_COMMIT, nullptr, 0, 0);
    AAFFButtonCB(0, 0, EVENT_COMMIT, nullptr, 0, 0);
    ResetTextBox(mainPanel, MAINPANEL_INFOTEXTBOX, "");
    return 0;
}
