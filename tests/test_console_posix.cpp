// Console control on a real (pseudo-)terminal: what a person at the keyboard
// sees and types, and a terminal left as it was found however the program
// ends.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "process.hpp"

namespace kavelta::testing {
namespace {

const std::string enter = "\x1b[22;0t\x1b[?1049h";
const std::string leave = "\x1b[?1049l\x1b[23;0t";
const std::string clear = "\x1b[H\x1b[2J";
const std::string prompt = "Nhap Tuy Chon Cua Ban: \r\n";

std::string title(const std::string& text) {
    return "\x1b]0;" + text + "\x07";
}

// Whether each text is found after the one before it.
bool inorder(const std::string& seen, std::initializer_list<std::string> texts) {
    std::size_t at = 0;
    for (const std::string& text : texts) {
        at = seen.find(text, at);
        if (at == std::string::npos) {
            ADD_FAILURE() << "missing in order: " << ::testing::PrintToString(text);
            return false;
        }
        at += text.size();
    }
    return true;
}

struct Terminal {
    OnTerminal run;

    explicit Terminal(const std::string& workdir = "") {
        run = startonterminal(KAVELTA_PROGRAM, workdir);
    }
    ~Terminal() { closeterminal(run); }

    void tomenu() { ASSERT_TRUE(waitfortext(run, prompt, 5)); }

    // Types a line and waits until the program asks for a key.
    void calculate(const std::string& line, const std::string& result) {
        std::size_t from = run.seen.size();
        type(run, line);
        ASSERT_TRUE(waitfortext(run, result, 5, from));
        ASSERT_TRUE(waitforkeymode(run, 5));
    }

    // The program ended as expected and the terminal is as it was.
    void endedwith(int expectedstatus, int expectedsignal) {
        int status = waitforend(run, 5);
        if (expectedsignal != 0) {
            ASSERT_TRUE(WIFSIGNALED(status)) << status;
            EXPECT_EQ(WTERMSIG(status), expectedsignal);
        } else {
            ASSERT_TRUE(WIFEXITED(status)) << status;
            EXPECT_EQ(WEXITSTATUS(status), expectedstatus);
        }
        termios after{};
        ASSERT_EQ(tcgetattr(run.slave, &after), 0);
        EXPECT_TRUE(sameterminalsettings(run.initial, after));
        ASSERT_GE(run.seen.size(), leave.size());
        EXPECT_EQ(run.seen.substr(run.seen.size() - leave.size()), leave);
    }
};

TEST(ConsolePosix, StartUpAsAPersonSeesIt) {
    Terminal terminal;
    OnTerminal& run = terminal.run;
    ASSERT_TRUE(waitfortext(run, "K", 2));
    double typing = now();
    ASSERT_TRUE(waitfortext(run, "Phien Ban", 3));
    double typed = now();
    terminal.tomenu();
    double menu = now();
    // Nine characters at 100 ms each, then a second with the version line.
    EXPECT_GT(typed - typing, 0.75);
    EXPECT_GT(menu - run.started, 1.8);
    EXPECT_LT(menu - run.started, 3.0);
    EXPECT_TRUE(inorder(run.seen, {enter, title("Kavelta"), title("Kavelta-bootapps"), "K", "a",
                                   "v", "e", "l", "t", "a", " \r\n",
                                   "Phien Ban: 1.1 - Ostrel Edition", clear,
                                   title("Kavelta-MENU"), clear, "[1] TINH DIEM TRUNG BINH MON\r\n",
                                   "[4] THOAT\r\n", prompt}));
    type(run, "4\r");
    terminal.endedwith(0, 0);
    EXPECT_TRUE(inorder(run.seen, {prompt, clear, leave}));
}

TEST(ConsolePosix, KeyWaitTakesOneSilentKeyAndLeavesTheLineAlone) {
    Terminal terminal;
    OnTerminal& run = terminal.run;
    terminal.tomenu();
    type(run, "1\r");
    // "1" after the last number is the next menu choice, after the key.
    terminal.calculate("0\r7\r6 1\r", "Trung Binh Mon La: 6.4\r\n\r\n");
    std::size_t pressed = run.seen.size();
    type(run, "q");
    ASSERT_TRUE(waitfortext(run, title("Kavelta-TINH DIEM TRUNG BINH MON"), 5, pressed));
    ASSERT_TRUE(waitfortext(run, "Nhap So Lan Kiem Tra Thuong Xuyen: ", 5, pressed));
    EXPECT_EQ(run.seen.find('q', pressed), std::string::npos) << "the key was echoed";
    terminal.calculate("0 7 6\r", "Trung Binh Mon La: 6.4");

    // Keys that send several bytes are one key press each, and none of their
    // bytes reach the next choice: "4" alone quits, "Sai Cu Phap!" never shows.
    const char* keys[] = {"\x1b[A", "\x1b[15~", "\x1bOP", "\xc3\xa9", "\xe2\x82\xac", "\x1b"};
    for (const char* key : keys) {
        std::size_t from = run.seen.size();
        type(run, key);
        ASSERT_TRUE(waitfortext(run, prompt, 5, from)) << ::testing::PrintToString(key);
        terminal.calculate("3\r6\r9\r", "Diem Trung Binh Ca Nam: 8\r\n");
    }
    type(run, "x");
    ASSERT_TRUE(waitfortext(run, prompt, 5, run.seen.size()));
    type(run, "4\r");
    terminal.endedwith(0, 0);
    EXPECT_EQ(run.seen.find("Sai Cu Phap!"), std::string::npos);
}

TEST(ConsolePosix, EndOfInputAtTheMenu) {
    Terminal terminal;
    terminal.tomenu();
    type(terminal.run, "\x04");
    terminal.endedwith(0, 0);
}

TEST(ConsolePosix, CtrlCDuringTheKeyWait) {
    Terminal terminal;
    terminal.tomenu();
    terminal.calculate("3\r6\r9\r", "Diem Trung Binh Ca Nam: 8\r\n");
    type(terminal.run, "\x03");
    terminal.endedwith(0, SIGINT);
}

TEST(ConsolePosix, CtrlCAtAPrompt) {
    Terminal terminal;
    terminal.tomenu();
    type(terminal.run, "2\r");
    ASSERT_TRUE(waitfortext(terminal.run, "TBM Toan: ", 5));
    type(terminal.run, "\x03");
    terminal.endedwith(0, SIGINT);
}

TEST(ConsolePosix, CtrlCWhileTheBannerIsTyped) {
    Terminal terminal;
    ASSERT_TRUE(waitfortext(terminal.run, "Kav", 5));
    type(terminal.run, "\x03");
    terminal.endedwith(0, SIGINT);
}

TEST(ConsolePosix, TerminationAndHangUp) {
    for (int signo : {SIGTERM, SIGHUP}) {
        Terminal terminal;
        terminal.tomenu();
        kill(terminal.run.pid, signo);
        terminal.endedwith(0, signo);
    }
}

int childrenof(pid_t parent) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line) || line.find(')') == std::string::npos) {
            continue;
        }
        std::istringstream fields(line.substr(line.rfind(')') + 2));
        char state;
        int ppid;
        fields >> state >> ppid;
        count += ppid == parent;
    }
    return count;
}

std::string companionworkdir() {
    std::string workdir = makeworkdir();
    std::filesystem::create_directories(workdir + "/Tovamire");
    writefile(workdir + "/Tovamire/console", readfile(KAVELTA_STANDIN), true);
    return workdir;
}

TEST(ConsolePosix, CompanionIsDetachedAndNeverWaitedFor) {
    std::string workdir = companionworkdir();
    Terminal terminal(workdir);
    OnTerminal& run = terminal.run;
    terminal.tomenu();
    std::size_t from = run.seen.size();
    double asked = now();
    type(run, "console\r");
    ASSERT_TRUE(waitfortext(run, prompt, 5, from));
    EXPECT_LT(now() - asked, 0.1);

    const int launches = 50;
    std::string many;
    for (int i = 1; i < launches; ++i) {
        many += "console\r";
    }
    type(run, many);
    double deadline = now() + 10;
    std::string marks;
    while (now() < deadline) {
        marks = readfile(workdir + "/companion.marks");
        if (std::count(marks.begin(), marks.end(), '\n') == launches) {
            break;
        }
        usleep(20000);
    }
    ASSERT_EQ(std::count(marks.begin(), marks.end(), '\n'), launches);
    // Every launch went through a child that was reaped at once: nothing is
    // left behind as a child of the program, zombie or not.
    EXPECT_EQ(childrenof(run.pid), 0);
    std::istringstream lines(marks);
    std::string line;
    while (std::getline(lines, line)) {
        std::string fds = line.substr(line.find(' ', line.find("pid=")) + 1);
        EXPECT_EQ(fds, "0=/dev/null 1=/dev/null 2=/dev/null");
    }
    type(run, "4\r");
    terminal.endedwith(0, 0);
}

TEST(ConsolePosix, MissingCompanionChangesNothing) {
    std::string workdir = makeworkdir();
    Finished piped = runpiped({KAVELTA_PROGRAM}, "console\n4\n", workdir);
    const std::string menu =
        "\n[1] TINH DIEM TRUNG BINH MON\n[2] TINH DIEM HOC KY\n[3] TINH DIEM CA NAM\n"
        "[4] THOAT\nNhap Tuy Chon Cua Ban: \n";
    EXPECT_EQ(piped.output, "Kavelta \nPhien Ban: 1.1 - Ostrel Edition\n" + menu + menu + "\n");
    EXPECT_EQ(WEXITSTATUS(piped.status), 0);

    Terminal terminal(workdir);
    terminal.tomenu();
    std::size_t from = terminal.run.seen.size();
    type(terminal.run, "console\r");
    ASSERT_TRUE(waitfortext(terminal.run, prompt, 5, from));
    std::string redraw = terminal.run.seen.substr(from);
    EXPECT_EQ(redraw.substr(0, redraw.find("[1]")), "console\r\n" + title("Kavelta-MENU") + clear);
    type(terminal.run, "4\r");
    terminal.endedwith(0, 0);
}

}  // namespace
}  // namespace kavelta::testing
