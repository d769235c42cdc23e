// The crash harness. A child process saves through the real services (created by class
// name) in a loop on a copy of a league, and the parent kills it with SIGKILL at seeded
// random moments. After every kill the league opens with the password, the engine finds no
// fault, every foreign key holds, and the league holds exactly what it held at one of the
// moments between two service calls (so every season reads back wholly as before the
// interrupted save or wholly as after it); every backup file is whole and the live file is
// never missing. The player import runs the real gridora-admin as the child.
//
// GRIDORA_CRASH_KILLS sets the kills per operation (a long run: many more), and
// GRIDORA_CRASH_SEED the seed; the seed is printed so that a failure can be replayed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "ComponentFactory.h"
#include "CrashLeague.h"
#include "GRServiceUtils.h"
#include "IDataService.h"
#include "ISetupService.h"
#include "LeagueState.h"
#include "ServiceHost.h"
#include "SqlDatabase.h"
#include "TempFolder.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using gr::ComPtr;
using gr::test::LeagueDump;
using gr::test::LeagueFault;
using gr::test::TempFolder;

const char* const kLive = "Gridora - Live.mdb";
const char* const kSetup = "Gridora - Setup.mdb";
const char* const kRestoreA = "restore A.mdb";
const char* const kRestoreB = "restore B.mdb";
const char* const kImport = "players.csv";

int EnvironmentNumber(const char* name, int fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::atoi(text) : fallback;
}

int KillsPerOperation() {
    return EnvironmentNumber("GRIDORA_CRASH_KILLS", GRIDORA_CRASH_DEFAULT_KILLS);
}

uint32_t Seed() {
    return static_cast<uint32_t>(EnvironmentNumber("GRIDORA_CRASH_SEED", 20261208));
}

void Check(bool succeeded, const std::string& what) {
    if (!succeeded) throw std::runtime_error(what + " failed");
}

// Where a save loop reports: once it is ready to save, and after every service call.
struct Runner {
    std::function<void()> ready;
    std::function<void()> boundary;
    int steps = -1;  // -1: until killed
    bool More(int step) const { return steps < 0 || step < steps; }
};

using SaveLoop = std::function<void(gr::ISetupService&, const Runner&)>;

std::map<int32_t, ComPtr<gr::IPickable>> PlayersById(gr::IDataService& data) {
    std::map<int32_t, ComPtr<gr::IPickable>> players;
    for (const auto& player :
         data.Search(gr::TypePlayerOrTeam, "", false, false)->ItemsAs<gr::IPlayerInfo>())
        players[player->get_ID()] = player.As<gr::IPickable>();
    return players;
}

// Every pick of the current season, to the drafted players and back to the spare ones.
void SaveDraftsLoop(gr::ISetupService& setup, const Runner& runner) {
    auto data = setup.get_DataService();
    const auto players = PlayersById(*data);
    auto season = data->GetCurrentSeasonInfo();
    runner.ready();
    for (int step = 0; runner.More(step); ++step) {
        for (int32_t pick = 1; pick <= gr::test::kCrashPicks; ++pick) {
            auto draft = season->get_Drafts()->ItemAs<gr::IDraftInfo>(pick);
            const int32_t player = step % 2 == 0 ? gr::test::kCrashSpareFrom + pick : pick;
            season->UpdateDraft(players.at(player), pick, draft->get_Manager());
        }
        Check(data->SaveDrafts(), "SaveDrafts");
        runner.boundary();
    }
}

// Twenty winnings added, then removed again.
void SaveWinningsLoop(gr::ISetupService& setup, const Runner& runner) {
    auto data = setup.get_DataService();
    data->GetCurrentSeasonInfo();
    std::vector<ComPtr<gr::IWinningInfo>> added;
    runner.ready();
    for (int step = 0; runner.More(step); ++step) {
        if (step % 2 == 0) {
            added.clear();
            for (int32_t w = 1; w <= 20; ++w) {
                ComPtr<gr::IWinningInfo> win;
                Check(data->AddWinning(win), "AddWinning");
                win->let_ManagerID(std::to_string(w % gr::test::kCrashManagerPool + 1));
                win->let_PrizeID(w % 2 == 0 ? "7" : "8");
                win->let_Week(w % 14 + 1);
                win->let_Action(gr::ActionTypeAdd);
                added.push_back(win);
            }
        } else {
            for (const auto& win : added) win->let_Action(gr::ActionTypeRemove);
        }
        Check(data->SaveWinnings(), "SaveWinnings");
        runner.boundary();
    }
}

// The season's figures and who paid, in the season window's one save.
void SaveSeasonLoop(gr::ISetupService& setup, const Runner& runner) {
    auto data = setup.get_DataService();
    auto save = data.As<gr::ISeasonSave>();
    auto season = data->GetCurrentSeasonInfo();
    runner.ready();
    for (int step = 0; runner.More(step); ++step) {
        season->let_MoneyContribution(step % 2 == 0 ? 125 : 100);
        season->let_NoOfRegularWeeks(step % 2 == 0 ? 15 : 14);
        for (const auto& manager : season->get_Managers()->ItemsAs<gr::IManagerInfo>())
            manager->let_IsFeePaid(step % 2 == 0);
        Check(save && save->SaveSeasonAndManagers(), "SaveSeasonAndManagers");
        runner.boundary();
    }
}

void UpdatePlayerLoop(gr::ISetupService& setup, const Runner& runner) {
    auto data = setup.get_DataService();
    auto player = PlayersById(*data).at(7).As<gr::IPlayerInfo>();
    const int32_t position = player->get_Position()->get_ID();
    const int32_t team = player->get_Team()->get_ID();
    runner.ready();
    for (int step = 0; runner.More(step); ++step) {
        int32_t id = 7;
        ComPtr<gr::IPlayerInfo> changed;
        std::string error;
        Check(data->UpdatePlayer(step % 2 == 0 ? "Renamed" : "Last7", "First7", position,
                                 step % 2 == 0 ? team % 32 + 1 : team, false, id, changed, error),
              "UpdatePlayer " + error);
        runner.boundary();
    }
}

void CreateBackupLoop(gr::ISetupService& setup, const Runner& runner) {
    runner.ready();
    for (int step = 0; runner.More(step); ++step) {
        std::string error;
        Check(setup.CreateBackup(error), "CreateBackup " + error);
        runner.boundary();
    }
}

void RestoreBackupLoop(gr::ISetupService& setup, const Runner& runner) {
    const std::string folder = gr::host::DatabaseFolderOverride();
    runner.ready();
    for (int step = 0; runner.More(step); ++step) {
        std::string error;
        Check(setup.RestoreBackup(folder + "/" + (step % 2 == 0 ? kRestoreA : kRestoreB), error),
              "RestoreBackup " + error);
        runner.boundary();
    }
}

struct Operation {
    std::string name;
    std::string testName;
    SaveLoop loop;  // empty: the gridora-admin import
};

const std::vector<Operation>& Operations() {
    static const std::vector<Operation> operations = {
        {"SaveDrafts (224 picks)", "SaveDrafts", SaveDraftsLoop},
        {"SaveWinnings", "SaveWinnings", SaveWinningsLoop},
        {"SaveSeasonAndManagers", "SaveSeasonAndManagers", SaveSeasonLoop},
        {"UpdatePlayer", "UpdatePlayer", UpdatePlayerLoop},
        {"CreateBackup", "CreateBackup", CreateBackupLoop},
        {"RestoreBackup", "RestoreBackup", RestoreBackupLoop},
        {"gridora-admin import-players", "AdminImport", {}},
    };
    return operations;
}

std::vector<std::string> AdminCommand(const std::string& folder) {
    return {GRIDORA_ADMIN_EXE, "--database-folder", folder, "import-players",
            folder + "/" + kImport};
}

// A killed import leaves its scratch copy in /dev/shm. Where the machine allows it, the
// child gets a /dev/shm of its own that goes away with it.
void PrivateScratchSpace() {
    if (::unshare(CLONE_NEWNS) != 0) return;
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return;
    ::mount("tmpfs", "/dev/shm", "tmpfs", 0, "size=64m");
}

[[noreturn]] void ExecAdmin(const std::string& folder) {
    PrivateScratchSpace();
    const auto command = AdminCommand(folder);
    std::vector<char*> argv;
    argv.reserve(command.size() + 1);
    for (const auto& part : command) argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);
    const int quiet = open("/dev/null", O_WRONLY);
    if (quiet >= 0) dup2(quiet, STDOUT_FILENO);
    execv(argv[0], argv.data());
    _exit(127);
}

ComPtr<gr::ISetupService> StartServices() {
    std::string error;
    auto setup = gr::CreateObjectAs<gr::ISetupService>("GRSetupSrvc.SetupService", error);
    if (!setup || !setup->Initialize(error)) throw std::runtime_error(error);
    return setup;
}

// The league and the files the loops use, built once; each kill works on a fresh copy.
class CrashTemplate {
  public:
    CrashTemplate() {
        for (const char* name : {"Gridora - Blank.mdb", "Gridora - Test.mdb", kSetup})
            m_folder.CopyGenerated(name);
        fs::copy_file(m_folder.File("Gridora - Blank.mdb"), m_folder.File(kLive));
        gr::test::BuildCrashLeague(m_folder.File(kLive));
        MakeRestoreCandidate(kRestoreA, "Restored A");
        MakeRestoreCandidate(kRestoreB, "Restored B");
        std::ofstream csv(m_folder.File(kImport));
        csv << "last_name,first_name,position,team\n";
        for (int i = 1; i <= 400; ++i) csv << "Imported" << i << ",Kill,QB,BUF\n";
        csv << "Last9,First9,"
            << "QB,ARI\n";
    }
    void CopyTo(const fs::path& folder) const {
        for (const auto& entry : fs::directory_iterator(m_folder.Path()))
            fs::copy_file(entry.path(), folder / entry.path().filename());
    }

  private:
    void MakeRestoreCandidate(const char* name, const std::string& firstName) {
        fs::copy_file(m_folder.File(kLive), m_folder.File(name));
        gr::db::Database league(m_folder.File(name), gr::GetDatabaseKey());
        gr::db::Statement rename(league, "update [player info] set [first name] = ? where id = 2");
        rename.Bind(1, firstName).Run();
    }
    TempFolder m_folder;
};

const CrashTemplate& Template() {
    static const CrashTemplate crashTemplate;
    return crashTemplate;
}

// What a kill may leave: the league at any moment between two service calls.
struct Reference {
    std::set<std::string> states;
    Clock::duration window{};  // how long the child takes over a few saves
};

// Runs the loop uninterrupted in this process and takes the league after every call (the
// data service lets go of the file meanwhile).
Reference RunLoopUninterrupted(const Operation& operation, const fs::path& folder) {
    Reference reference;
    const std::string live = (folder / kLive).string();
    reference.states.insert(LeagueDump(live));
    for (const char* candidate : {kRestoreA, kRestoreB})
        reference.states.insert(LeagueDump((folder / candidate).string()));
    if (!operation.loop) {
        const Clock::time_point start = Clock::now();
        const pid_t child = fork();
        if (child == 0) ExecAdmin(folder.string());
        int status = 0;
        waitpid(child, &status, 0);
        reference.window = Clock::now() - start;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            throw std::runtime_error("gridora-admin import failed without a kill");
        reference.states.insert(LeagueDump(live));
        return reference;
    }
    auto setup = StartServices();
    Clock::time_point stepStart;
    Clock::duration saving{};
    int calls = 0;
    Runner runner;
    runner.steps = 4;
    runner.ready = [&] { stepStart = Clock::now(); };
    runner.boundary = [&] {
        saving += Clock::now() - stepStart;
        ++calls;
        auto data = setup->get_DataService();
        data->CloseDatabase();
        reference.states.insert(LeagueDump(live));
        std::string error;
        Check(data->OpenDatabase(false, error), "OpenDatabase " + error);
        stepStart = Clock::now();
    };
    operation.loop(*setup, runner);
    reference.window = saving * 3 / calls;
    return reference;
}

struct KillOutcome {
    bool killed = false;
    std::string problem;
};

// Starts the child on the folder, lets it save for a random while and kills it.
KillOutcome KillOnce(const Operation& operation, const fs::path& folder, Clock::duration delay) {
    int ready[2];
    if (pipe(ready) != 0) return {false, "no pipe"};
    const pid_t child = fork();
    if (child == 0) {
        close(ready[0]);
        if (!operation.loop) {
            close(ready[1]);
            ExecAdmin(folder.string());
        }
        try {
            auto setup = StartServices();
            Runner runner;
            runner.ready = [&] {
                const char go = 1;
                if (write(ready[1], &go, 1) != 1) _exit(4);
            };
            runner.boundary = [] {};
            operation.loop(*setup, runner);
        } catch (const std::exception& e) {
            std::cerr << operation.name << ": " << e.what() << "\n";
        }
        _exit(3);
    }
    close(ready[1]);
    char go = 0;
    if (operation.loop && read(ready[0], &go, 1) != 1) {
        close(ready[0]);
        int status = 0;
        waitpid(child, &status, 0);
        return {false, "the child ended before it was ready"};
    }
    close(ready[0]);
    std::this_thread::sleep_for(delay);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) return {true, {}};
    if (!operation.loop && WIFEXITED(status) && WEXITSTATUS(status) == 0) return {false, {}};
    return {false, "the child ended by itself with status " + std::to_string(status)};
}

// A journal that starts with the engine's header: the kill came in the middle of a write,
// which the next open plays back. (Between writes the journal may stay with its header
// zeroed.)
bool HasHotJournal(const std::string& database) {
    static const std::string kMagic("\xd9\xd5\x05\xf9\x20\xa1\x63\xd7", 8);
    return gr::test::ReadBytes(database + "-journal").substr(0, 8) == kMagic;
}

// Copies still under their hidden temporary names: never mistaken for a backup, but left
// behind by the kill.
int HiddenCopies(const fs::path& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        count += entry.path().filename().string().rfind('.', 0) == 0 ? 1 : 0;
    return count;
}

bool IsBackupName(const std::string& name) {
    return name.rfind("Gridora - Backup - ", 0) == 0;
}

// Everything a kill may not break, as the next start of the program finds it.
std::string WhatIsBroken(const fs::path& folder, const Reference& reference) {
    const std::string live = (folder / kLive).string();
    if (!fs::is_regular_file(live)) return "the live file is missing";
    if (std::string fault = LeagueFault(live); !fault.empty()) return "live: " + fault;
    if (!reference.states.count(LeagueDump(live)))
        return "live holds a league that no completed service call left";
    if (std::string fault = LeagueFault((folder / kSetup).string()); !fault.empty())
        return "setup: " + fault;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (!IsBackupName(name)) continue;
        if (std::string fault = LeagueFault(entry.path().string()); !fault.empty())
            return name + ": " + std::move(fault);
        if (!reference.states.count(LeagueDump(entry.path().string())))
            return name + " holds a league that was never live";
    }
    return {};
}

class CrashKillTest : public ::testing::TestWithParam<size_t> {};

TEST_P(CrashKillTest, EveryKillLeavesAWholeLeague) {
    const Operation& operation = Operations()[GetParam()];
    const int kills = KillsPerOperation();
    const uint32_t seed = Seed() + static_cast<uint32_t>(GetParam());
    std::mt19937 random(seed);
    TempFolder referenceFolder;
    Template().CopyTo(referenceFolder.Path());
    gr::host::SetDatabaseFolderOverride(referenceFolder.Path().string());
    const Reference reference = RunLoopUninterrupted(operation, referenceFolder.Path());
    const auto windowMicros =
        std::chrono::duration_cast<std::chrono::microseconds>(reference.window).count();
    std::uniform_int_distribution<int64_t> delay(0, std::max<int64_t>(windowMicros, 1000));
    int survived = 0;
    int finishedFirst = 0;
    int midWrite = 0;
    int leftovers = 0;
    int killed = 0;
    // A run that ends before its kill is not a kill; another run takes its place.
    for (int kill = 0; killed < kills && kill < 3 * kills; ++kill) {
        TempFolder folder;
        Template().CopyTo(folder.Path());
        gr::host::SetDatabaseFolderOverride(folder.Path().string());
        const KillOutcome outcome =
            KillOnce(operation, folder.Path(), std::chrono::microseconds(delay(random)));
        ASSERT_TRUE(outcome.problem.empty())
            << operation.name << ", seed " << seed << ", kill " << kill << ": " << outcome.problem;
        midWrite += HasHotJournal(folder.File(kLive)) ? 1 : 0;
        leftovers += HiddenCopies(folder.Path());
        const std::string broken = WhatIsBroken(folder.Path(), reference);
        EXPECT_EQ(broken, "") << operation.name << ", seed " << seed << ", kill " << kill;
        survived += outcome.killed && broken.empty() ? 1 : 0;
        finishedFirst += outcome.killed ? 0 : 1;
        killed += outcome.killed ? 1 : 0;
    }
    gr::host::SetDatabaseFolderOverride("");
    std::cout << "[ kills    ] " << operation.name << ": " << survived << " of " << killed
              << " kills survived, " << midWrite << " in the middle of a write (seed " << seed
              << ", window " << windowMicros / 1000 << " ms, " << reference.states.size()
              << " states"
              << (finishedFirst ? ", " + std::to_string(finishedFirst) + " runs ended first" : "")
              << (leftovers ? ", " + std::to_string(leftovers) + " unfinished copies left" : "")
              << ")\n";
    EXPECT_EQ(killed, kills) << "too many runs ended before their kill";
    RecordProperty("kills_survived", survived);
}

std::string TestName(const ::testing::TestParamInfo<size_t>& info) {
    return Operations()[info.param].testName;
}

INSTANTIATE_TEST_SUITE_P(Saves, CrashKillTest, ::testing::Range(size_t{0}, Operations().size()),
                         TestName);

}  // namespace
