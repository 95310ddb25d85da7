// `kestrel run` and `kestrel list`: the headless start-up and shutdown around the batch runner.
#include "app/BatchCommand.h"

#include "app/CommandLine.h"
#include "app/Kestrel.h"
#include "batch/RunCommand.h"
#include "core/Kestrel_core.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/uirt/headless/headless.h"
#include "platform/uirt/model/frontendchoice.h"
#include "platform/uirt/model/uirt.h"
#include "ui/Panels.h"

#include <cstdio>
#include <cstring>

namespace {

bool StartHeadless() {
    uirt::ChooseFrontEnd(uirt::headless::MakeFrontEnd);
    const int opened = OpenKestrelPanels(0, nullptr);
    uirt::ChooseFrontEnd(nullptr);
    if (opened != 0) return false;
    InitTestBoard(); // the settings' defaults: kestrel.cfg is neither read nor written
    ShowPanelsAndHookLibrary();
    return InterfaceBufferAlloc() != nullptr;
}

bool Connect(const std::string& serial) {
    SetSerNum(serial.c_str());
    ConnectDevices();
    return GetUsbId() > 0 && serial == GetSerNum();
}

void ShutDown() {
    InterfaceBufferFree();
    USB_CloseAll();
    DiscardPanel(GetSetupPanelHandle());
    DiscardPanel(GetMainPanelHandle());
    DiscardPanel(GetAboutPanelHandle());
}

int Usage(const char* problem) {
    std::fprintf(stderr, "kestrel: %s\n%s", problem, KestrelUsage());
    return 2;
}

bool AsksForHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) return true;
    return false;
}

} // namespace

int IsBatchCommand(const char* word) {
    return word != nullptr && (std::strcmp(word, "run") == 0 || std::strcmp(word, "list") == 0);
}

int RunBatchCommand(int argc, char** argv, batch::RunObserver* also) {
    if (AsksForHelp(argc, argv)) {
        std::fputs(KestrelUsage(), stdout);
        return 0;
    }
    if (std::strcmp(argv[0], "list") == 0) {
        const bool json = argc == 2 && std::strcmp(argv[1], "--json") == 0;
        if (argc > 2 || (argc == 2 && !json)) return Usage("list takes only --json");
        return batch::ListCommand(json);
    }
    batch::RunOptions options;
    options.also = also;
    const std::string problem = batch::ReadRunArguments(argc - 1, argv + 1, options);
    if (!problem.empty()) return Usage(problem.c_str());
    return batch::RunPlanCommand(options, {StartHeadless, Connect, ShutDown});
}
