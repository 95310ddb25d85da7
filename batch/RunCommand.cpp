// `kestrel run`: plan, board, steps, reports, exit status.
#include "batch/RunCommand.h"

#include "batch/Boards.h"
#include "batch/ConsoleReport.h"
#include "batch/PlanReader.h"
#include "batch/ReportTime.h"
#include "batch/Reports.h"
#include "batch/SetupDriver.h"
#include "platform/uirt/model/quitsignal.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace batch {

namespace {

// Tells the observers both.
class BothObservers : public RunObserver {
  public:
    BothObservers(RunObserver& a, RunObserver* b) : a_(a), b_(b) {}
    void stepStarted(const Step& s, int n, int c) override {
        a_.stepStarted(s, n, c);
        if (b_) b_->stepStarted(s, n, c);
    }
    void stepProgress(const StepProgress& p) override {
        a_.stepProgress(p);
        if (b_) b_->stepProgress(p);
    }
    void stepEnded(const StepResult& r, int n) override {
        a_.stepEnded(r, n);
        if (b_) b_->stepEnded(r, n);
    }

  private:
    RunObserver& a_;
    RunObserver* b_;
};

// SIGINT and SIGTERM noted for the steps to see, for as long as it lives.
class QuitSignals {
  public:
    QuitSignals() {
        uirt::ForgetQuitSignal();
        struct sigaction action {};
        action.sa_handler = uirt::NoteQuitSignal;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &oldInt_);
        sigaction(SIGTERM, &action, &oldTerm_);
    }
    ~QuitSignals() {
        sigaction(SIGINT, &oldInt_, nullptr);
        sigaction(SIGTERM, &oldTerm_, nullptr);
    }

  private:
    struct sigaction oldInt_ {
    }, oldTerm_{};
};

int Fail(const std::string& message, int status) {
    std::fprintf(stderr, "kestrel: %s\n", message.c_str());
    return status;
}

std::string BoardWanted(const BoardChoice& c) {
    if (!c.serial.empty()) return "serial number " + c.serial;
    if (!c.description.empty()) return "description \"" + c.description + "\"";
    return "any board";
}

// Runs what can run; the report says how far it came.
void Run(const Plan& plan, const RunOptions& options, const Session& session, RunReport& report) {
    std::optional<BoardIdentity> board = FindBoard(plan.board);
    if (!board) {
        report.outcome = Outcome::NoBoard;
        report.problem = "no board with " + BoardWanted(plan.board) + " on the bus";
        return;
    }
    report.board = *board;
    if (!session.connect(board->serial)) {
        report.outcome = Outcome::NoBoard;
        report.problem = "the board " + board->serial + " could not be opened";
        return;
    }
    ConsoleObserver console(isatty(STDERR_FILENO) ? stderr : nullptr);
    BothObservers observers(console, options.also);
    RunSteps(plan, report, observers);
}

// The steps as not run, for a run that never reached them.
void NotRun(const Plan& plan, RunReport& report) {
    report.steps = plan.steps;
    for (const Step& s : plan.steps)
        report.results.push_back({.name = s.name, .kind = s.kind});
    report.ended = NowIso8601();
}

} // namespace

std::string ReadRunArguments(int argc, char** argv, RunOptions& o) {
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        std::string* value = arg == "--serial"  ? &o.serial
                             : arg == "--json"  ? &o.json
                             : arg == "--junit" ? &o.junit
                                                : nullptr;
        if (value != nullptr || arg == "--set") {
            if (i + 1 >= argc) return "missing value for " + arg;
            const std::string given = argv[++i];
            if (value != nullptr) {
                *value = given;
                continue;
            }
            const std::size_t eq = given.find('=');
            if (eq == 0 || eq == std::string::npos) return "expected --set KEY=VALUE, got " + given;
            o.variables[given.substr(0, eq)] = given.substr(eq + 1);
        } else if (arg.starts_with("-") || !o.plan.empty()) {
            return "unexpected argument " + arg;
        } else {
            o.plan = arg;
        }
    }
    return o.plan.empty() ? "no plan given" : "";
}

int RunPlanCommand(const RunOptions& options, const Session& session) {
    PlanVariables used;
    auto read = ReadPlan(options.plan, options.variables, &used);
    if (auto* error = std::get_if<PlanError>(&read)) return Fail(error->text(), 2);
    Plan plan = std::get<Plan>(std::move(read));
    for (const auto& [key, value] : options.variables)
        if (!used.contains(key))
            return Fail("--set " + key + ": the plan has no ${" + key + "}", 2);
    if (!options.serial.empty()) plan.board = {.serial = options.serial};

    if (!session.startUp()) return Fail("cannot start without a window", 4);
    RunReport report{.planFile = plan.file, .planName = plan.name, .started = NowIso8601()};
    int status = 0;
    if (auto error = CheckRingValues(plan)) {
        status = Fail(error->text(), 2);
    } else {
        QuitSignals signals;
        Run(plan, options, session, report);
        if (report.results.empty()) {
            if (!report.problem.empty())
                std::fprintf(stderr, "kestrel: %s\n", report.problem.c_str());
            NotRun(plan, report);
        }
        std::printf("%s\n", SummaryLine(report).c_str());
        std::fflush(stdout);
        status = static_cast<int>(report.outcome);
        for (const auto& [path, text] :
             {std::pair{options.json, &JsonReport}, std::pair{options.junit, &JunitReport}}) {
            if (path.empty()) continue;
            const std::string problem = WriteReport(path, text(report));
            if (!problem.empty() && status < 2)
                status = Fail(problem, 2);
            else if (!problem.empty())
                Fail(problem, status);
        }
    }
    session.shutDown();
    return status;
}

int ListCommand(bool json) {
    const std::vector<BoardIdentity> boards = ListBoards();
    std::fputs((json ? BoardsJson(boards) : BoardLines(boards)).c_str(), stdout);
    return 0;
}

} // namespace batch
