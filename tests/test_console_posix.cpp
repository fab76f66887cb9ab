// Console control on a real (pseudo-)terminal: what a person at the keyboard
// sees and types, and a terminal left as it was found however the program
// ends.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/ioctl.h>
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
        run = startonterminal({KAVELTA_PROGRAM}, workdir);
    }
    explicit Terminal(const std::vector<std::string>& argv) { run = startonterminal(argv); }
    ~Terminal() { closeterminal(run); }

    // Whether the menu came; a test asserts it, as nothing else can follow.
    [[nodiscard]] bool tomenu() { return waitfortext(run, prompt, 5); }

    // Types a line; whether the result came and the program asks for a key.
    [[nodiscard]] bool calculate(const std::string& line, const std::string& result) {
        std::size_t from = run.seen.size();
        type(run, line);
        bool shown = waitfortext(run, result, 5, from);
        EXPECT_TRUE(shown) << ::testing::PrintToString(result);
        return shown && waitforkeymode(run, 5);
    }

    // The program ended as expected and the terminal is as it was. The last
    // thing a test checks: its failures stop nothing.
    void endedwith(int expectedstatus, int expectedsignal) {
        int status = waitforend(run, 5);
        EXPECT_EQ(exitstatus(status),
                  expectedsignal != 0 ? 1000 + expectedsignal : expectedstatus);
        termios settings{};
        EXPECT_EQ(tcgetattr(run.slave, &settings), 0);
        EXPECT_TRUE(sameterminalsettings(run.initial, settings));
        // Its last bytes may still be on their way through the terminal when
        // it has ended, however long a busy machine makes that; and the
        // terminal echoes a typed Ctrl-C only once it has sent the signal,
        // so the echo may come after them.
        if (!waitfortext(run, leave, 5)) {
            ADD_FAILURE() << "the terminal was not given back";
            return;
        }
        std::string after = run.seen.substr(run.seen.rfind(leave) + leave.size());
        EXPECT_TRUE(after.empty() || after == "^C") << ::testing::PrintToString(after);
    }
};

TEST(ConsolePosix, StartUpAsAPersonSeesIt) {
    Terminal terminal;
    OnTerminal& run = terminal.run;
    ASSERT_TRUE(waitfortext(run, "K", 2));
    double typing = now();
    ASSERT_TRUE(waitfortext(run, "Phien Ban", 3));
    double typed = now();
    ASSERT_TRUE(terminal.tomenu());
    double menu = now();
    // Nine characters at 100 ms each, then a second with the version line
    // on screen. A busy machine only makes these longer; the menu is still
    // up well before a start-up twice as long as meant, which a person
    // would notice.
    EXPECT_GT(typed - typing, 0.75);
    EXPECT_GT(menu - typed, 0.8);
    EXPECT_GT(menu - run.started, 1.8);
    EXPECT_LT(menu - run.started, 4.0);
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
    ASSERT_TRUE(terminal.tomenu());
    const std::string first = "Nhap So Lan Kiem Tra Thuong Xuyen: ";
    double asked = now();
    type(run, "1\r");
    ASSERT_TRUE(waitfortext(run, first, 5));
    double choice = now() - asked;
    // "1" after the last number is the next menu choice, after the key.
    ASSERT_TRUE(terminal.calculate("0\r7\r6 1\r", "Trung Binh Mon La: 6.4\r\n\r\n"));
    std::size_t pressed = run.seen.size();
    asked = now();
    type(run, "q");
    ASSERT_TRUE(waitfortext(run, title("Kavelta-TINH DIEM TRUNG BINH MON"), 5, pressed));
    ASSERT_TRUE(waitfortext(run, first, 5, pressed));
    // Nothing is waited for after the key: the next screen comes as soon as
    // a choice's does.
    EXPECT_LT(now() - asked, choice + 0.5);
    EXPECT_EQ(run.seen.find('q', pressed), std::string::npos) << "the key was echoed";
    ASSERT_TRUE(terminal.calculate("0 7 6\r", "Trung Binh Mon La: 6.4"));

    // Keys that send several bytes are one key press each, and none of their
    // bytes reach the next choice, not even when the next answers follow in
    // the same burst, as a fast typist's do: "Sai Cu Phap!" never shows.
    // Alt and a letter is Escape and the letter; a byte of a Latin-1 paste
    // is a key alone.
    const char* keys[] = {"\x1b[A", "\x1b[15~", "\x1bOP", "\x1b[[A",    "\x1bx",
                          "\xc3\xa9", "\xe2\x82\xac", "\xe0"};
    for (const char* key : keys) {
        ASSERT_TRUE(
            terminal.calculate(key + std::string("3\r6\r9\r"), "Diem Trung Binh Ca Nam: 8\r\n"));
    }
    // A lone Escape is a key too, once no more of a sequence comes.
    type(run, "\x1b");
    ASSERT_TRUE(waitfortext(run, prompt, 5, run.seen.size()));
    // Keys taken from what was typed ahead (all of it after the key "k"):
    // an arrow, then a Latin-1 byte before the last choice.
    ASSERT_TRUE(terminal.calculate("3\r6\r9\r", "Diem Trung Binh Ca Nam: 8\r\n"));
    type(run, "k3\r6\r9\r\x1b[A3\r6\r9\r\xe0" "4\r");
    terminal.endedwith(0, 0);
    EXPECT_EQ(run.seen.find("Sai Cu Phap!"), std::string::npos);
}

TEST(ConsolePosix, TodaysRulesUnderTheirTitles) {
    Terminal terminal;
    OnTerminal& run = terminal.run;
    ASSERT_TRUE(terminal.tomenu());
    ASSERT_TRUE(terminal.calculate("xlht\r6 8 8 8 8 8 8 0\r", "Ket Qua Hoc Tap: Tot\r\n"));
    ASSERT_TRUE(
        terminal.calculate(" dcd\r0 10 7\r", "Khi Do Trung Binh Mon Ghi Vao So Diem La: 7\r\n"));
    type(run, " 4\r");
    terminal.endedwith(0, 0);
    EXPECT_TRUE(inorder(run.seen, {clear, title("Kavelta-XEP LOAI KET QUA HOC TAP"),
                                   "Ket Qua Hoc Tap: Tot", title("Kavelta-MENU"), clear,
                                   title("Kavelta-DIEM KIEM TRA CUOI KY CAN DAT"),
                                   "Diem Kiem Tra Cuoi Ky Can Dat: 5\r\n"}));
}

TEST(ConsolePosix, EndOfInputAtTheMenu) {
    Terminal terminal;
    ASSERT_TRUE(terminal.tomenu());
    type(terminal.run, "\x04");
    terminal.endedwith(0, 0);
}

TEST(ConsolePosix, CtrlCDuringTheKeyWait) {
    Terminal terminal;
    ASSERT_TRUE(terminal.tomenu());
    ASSERT_TRUE(terminal.calculate("3\r6\r9\r", "Diem Trung Binh Ca Nam: 8\r\n"));
    type(terminal.run, "\x03");
    terminal.endedwith(0, SIGINT);
}

TEST(ConsolePosix, CtrlCAtAPrompt) {
    Terminal terminal;
    ASSERT_TRUE(terminal.tomenu());
    type(terminal.run, "2\r");
    ASSERT_TRUE(waitfortext(terminal.run, "TBM Toan: ", 5));
    type(terminal.run, "\x03");
    terminal.endedwith(0, SIGINT);
}

TEST(ConsolePosix, CtrlCWhileTheBannerIsTyped) {
    Terminal terminal;
    // The banner's first letters, after the title that holds the same.
    ASSERT_TRUE(waitfortext(terminal.run, title("Kavelta-bootapps") + "Ka", 5));
    type(terminal.run, "\x03");
    terminal.endedwith(0, SIGINT);
}

TEST(ConsolePosix, TerminationAndHangUp) {
    for (int signo : {SIGTERM, SIGHUP}) {
        Terminal terminal;
        ASSERT_TRUE(terminal.tomenu());
        kill(terminal.run.pid, signo);
        terminal.endedwith(0, signo);
    }
    // Under nohup a hangup is ignored, and stays so: the terminal goes away,
    // the next read fails, and the program ends by itself with status 2.
    const std::string program = KAVELTA_PROGRAM;
    Terminal nohup({"/bin/sh", "-c", "trap '' HUP; exec '" + program + "'"});
    ASSERT_TRUE(nohup.tomenu());
    close(nohup.run.master);
    nohup.run.master = -1;
    EXPECT_EQ(exitstatus(waitforend(nohup.run, 5)), 2);
}

// Output paused with Ctrl-S holds back no deadly signal: the terminal is
// given back (output resumed) and the program ends.
TEST(ConsolePosix, TerminationWhileOutputIsPaused) {
    Terminal terminal;
    ASSERT_TRUE(terminal.tomenu());
    type(terminal.run, "\x13");
    // The terminal takes the key in its own time.
    usleep(200000);
    kill(terminal.run.pid, SIGTERM);
    terminal.endedwith(0, SIGTERM);
}

// As process 1 (a container started without an init) a signal it does not
// handle cannot end it: once the terminal is given back, it exits with the
// status a shell gives a program ended by that signal.
TEST(ConsolePosix, CtrlCAsProcessOne) {
    const std::vector<std::string> unshare = {"/usr/bin/unshare", "--pid", "--fork"};
    std::vector<std::string> probe = unshare;
    probe.push_back("/bin/true");
    if (access(unshare[0].c_str(), X_OK) != 0 || runpiped(probe, "").status != 0) {
        GTEST_SKIP() << "this machine gives no new process namespace (unshare --pid --fork)";
    }
    std::vector<std::string> argv = unshare;
    argv.push_back(KAVELTA_PROGRAM);
    Terminal terminal(argv);
    ASSERT_TRUE(terminal.tomenu());
    type(terminal.run, "\x03");
    terminal.endedwith(128 + SIGINT, 0);
}

// Terminals that show escape sequences as text, such as an editor's shell
// buffer: they get none, yet a person still reads, types and presses keys,
// and sees what they type once, as the terminal echoes it.
TEST(ConsolePosix, PlainTerminalsGetNoEscapeSequence) {
    for (const char* term : {"TERM=dumb", "TERM=cons25", "TERM=emacs"}) {
        Terminal terminal({"/usr/bin/env", term, KAVELTA_PROGRAM});
        OnTerminal& run = terminal.run;
        ASSERT_TRUE(terminal.tomenu()) << term;
        type(run, "3\r");
        ASSERT_TRUE(waitfortext(run, "Hoc Ky 1: \r\n", 5)) << term;
        ASSERT_TRUE(terminal.calculate("6\r9\r", "Diem Trung Binh Ca Nam: 8\r\n")) << term;
        type(run, "x4\r");
        EXPECT_EQ(exitstatus(waitforend(run, 5)), 0) << term;
        EXPECT_EQ(run.seen.find('\x1b'), std::string::npos) << ::testing::PrintToString(run.seen);
        EXPECT_TRUE(inorder(run.seen, {"Kavelta \r\nPhien Ban: 1.1 - Ostrel Edition\r\n",
                                       prompt + "3\r\n\r\nNhap Diem Trung Binh Hoc Ky 1: \r\n",
                                       "Diem Trung Binh Ca Nam: 8\r\n", prompt}))
            << term;
    }
}

// The program with the terminal shim (terminal_shim.cpp) asked to
// misbehave in the ways `ways` names.
std::vector<std::string> shimmed(std::vector<std::string> ways) {
    ways.insert(ways.begin(), {"/usr/bin/env", "LD_PRELOAD=" KAVELTA_SHIM,
                               "ASAN_OPTIONS=verify_asan_link_order=0"});
    ways.push_back(KAVELTA_PROGRAM);
    return ways;
}

// Terminals that misbehave. One answers for its settings only at the start
// and takes five bytes a write: no settings the program did not read are
// ever set (its key wait takes a line), it answers, and the terminal gets
// its screen back whole. On a plain one, bytes typed after a key come late
// and are left in the queue; a Ctrl-Z flushes them, and what is typed after
// it shows once.
TEST(ConsolePosix, TerminalsThatMisbehave) {
    {
        Terminal terminal(shimmed({"KAVELTA_SHIM_UNREADABLE=1", "KAVELTA_SHIM_WRITES=5"}));
        ASSERT_TRUE(terminal.tomenu());
        type(terminal.run, "3\r6\r9\r");
        ASSERT_TRUE(waitfortext(terminal.run, "Diem Trung Binh Ca Nam: 8\r\n", 5));
        type(terminal.run, "k\r4\r");
        terminal.endedwith(0, 0);
        EXPECT_EQ(terminal.run.seen.find("<tcsetattr>"), std::string::npos);
    }
    Terminal terminal(shimmed({"TERM=dumb", "KAVELTA_SHIM_LATE=1"}));
    OnTerminal& run = terminal.run;
    ASSERT_TRUE(terminal.tomenu());
    ASSERT_TRUE(terminal.calculate("3\r6\r9\r", "Diem Trung Binh Ca Nam: 8\r\n"));
    std::size_t from = run.seen.size();
    type(run, "k\x13" "abc");  // the key, output paused, three bytes after it
    ASSERT_TRUE(waitforkeymode(run, 5, false));
    type(run, "\x1a");
    usleep(200000);
    kill(run.pid, SIGCONT);  // in case the stop was not dropped, as an orphan's is
    ASSERT_TRUE(waitfortext(run, prompt, 5, from));
    from = run.seen.size();
    type(run, "3\r");
    const std::string shown = "3\r\n\r\nNhap Diem Trung Binh Hoc Ky 1: \r\n";
    ASSERT_TRUE(waitfortext(run, shown.substr(5), 5, from));
    EXPECT_EQ(run.seen.substr(from, shown.size()), shown);
    // Output paused, a line typed (its echo held back) and a resize: a plain
    // terminal is not drawn again, and the line still shows once.
    from = run.seen.size();
    type(run, "\x13" "6\r");
    usleep(100000);
    type(run, "9\r");
    usleep(100000);
    kill(run.pid, SIGWINCH);
    usleep(100000);
    type(run, "\x11");
    ASSERT_TRUE(waitfortext(run, "Ca Nam: 8\r\n", 5, from));
    EXPECT_EQ(run.seen.substr(from),
              "6\r\n9\r\nNhap Diem Trung Binh Hoc Ky 2: \r\nDiem Trung Binh Ca Nam: 8\r\n");
}

// Typed at a terminal, written to a pipe: the transcript is the one a
// script gives.
TEST(ConsolePosix, TypedAtATerminalWrittenToAPipe) {
    const std::string keys = "3\r6\r9\r4\r";
    OnTerminal run = startonterminal({KAVELTA_PROGRAM}, "", true);
    type(run, keys);
    int status = waitforend(run, 5);
    closeterminal(run);
    EXPECT_EQ(exitstatus(status), 0);
    std::string script = keys;
    std::replace(script.begin(), script.end(), '\r', '\n');
    EXPECT_EQ(run.said, runpiped({KAVELTA_PROGRAM}, script).output);
}

// The terminal hangs up (its other side is closed) with SIGHUP ignored,
// while output is paused: with the program's prompt waiting to be written,
// or its screen to be drawn again after a resume. Either way the write
// fails, and the program ends with status 2 and says why.
TEST(ConsolePosix, AHangUpWhileOutputWaits) {
    const std::string program = KAVELTA_PROGRAM;
    for (bool redraw : {false, true}) {
        SCOPED_TRACE(redraw ? "a redraw waits" : "a prompt waits");
        Terminal terminal({"/bin/sh", "-c", "trap '' HUP; '" + program + "'; exit $?"});
        OnTerminal& run = terminal.run;
        ASSERT_TRUE(terminal.tomenu());
        type(run, "\x13");
        usleep(200000);
        if (redraw) {
            pid_t pid = programin(run.pid);
            ASSERT_GT(pid, 0);
            kill(pid, SIGCONT);
        } else {
            type(run, "1\r");
        }
        usleep(200000);
        close(run.master);
        run.master = -1;
        EXPECT_EQ(exitstatus(waitforend(run, 5)), 2);
    }
}

// An interactive shell with job control, as a user has it: the program runs
// in a process group of its own under a parent that stays, so the stops the
// terminal and the shell send reach it.
//
// A quiet one has its own output on a pipe (run.said) and keeps job control
// on the terminal: the program is then the only writer there, so its output
// can be paused with Ctrl-S while bash goes on stopping and resuming it.
struct Shell {
    const std::string shellprompt = "shell> ";
    OnTerminal run;
    const bool quiet;

    explicit Shell(bool quiet = false) : quiet(quiet) {
        run = startonterminal({"/usr/bin/env", "PS1=" + shellprompt, "HISTFILE=/dev/null",
                               "/bin/bash", "--norc", "--noprofile", "-i"},
                              "", quiet);
        EXPECT_TRUE(prompted(0));
    }
    ~Shell() { closeterminal(run); }

    // What bash has written so far, and whether a prompt came after `from`.
    const std::string& said() const { return quiet ? run.said : run.seen; }
    bool prompted(std::size_t from) {
        return quiet ? waitforsaid(run, shellprompt, 5, from)
                     : waitfortext(run, shellprompt, 5, from);
    }

    // Types keys for the shell and waits for its next prompt; returns what
    // came in between.
    std::string tosh(const std::string& keys) {
        std::size_t from = said().size();
        type(run, keys);
        EXPECT_TRUE(prompted(from)) << ::testing::PrintToString(keys);
        return said().substr(from);
    }
    std::string command(const std::string& line) { return tosh(line + "\r"); }
    // The terminal's settings as `stty -g` writes them.
    std::string settings() { return expand("stty -g"); }
    std::string ctrlz() { return tosh("\x1a"); }
    // Asks `jobs -l` until it shows `state`, however busy the machine.
    bool jobshows(const std::string& state) {
        double deadline = now() + 5;
        while (command("jobs -l").find(state) == std::string::npos) {
            if (now() > deadline) {
                return false;
            }
            usleep(50000);
        }
        return true;
    }

    // What `$(words)` gives, between marks that the echo of the command
    // line itself does not hold.
    std::string expand(const std::string& words) {
        std::string said = command("printf '\\074\\074%s\\076\\076\\n' \"$(" + words + ")\"");
        std::size_t start = said.find("<<");
        std::size_t end = said.find(">>", start);
        return start == std::string::npos || end == std::string::npos
                   ? ""
                   : said.substr(start + 2, end - start - 2);
    }

    // `kill %1` ends the job, stopped or not: its process is soon gone.
    // (The shell may take its time to notice: a job started after this one
    // is brought forward in a shell of its own.)
    bool killed() {
        std::string pid = expand("jobs -p");
        command("kill %1");
        return !pid.empty() && gone(std::stoi(pid));
    }

    // A key for the program; returns where what it draws next starts.
    std::size_t press(const std::string& keys, const std::string& expected) {
        std::size_t from = run.seen.size();
        type(run, keys);
        EXPECT_TRUE(waitfortext(run, expected, 5, from)) << ::testing::PrintToString(keys);
        return from;
    }

    // Ctrl-Z, then `fg`: the program's screen comes back, with its title, a
    // clear and exactly what was on it.
    void stopandresume(const std::string& screentitle, const std::string& screen) {
        EXPECT_NE(ctrlz().find("Stopped"), std::string::npos);
        std::size_t from = press("fg\r", screen);
        EXPECT_TRUE(inorder(run.seen.substr(from), {enter + title(screentitle) + clear + screen}));
    }
};

TEST(ConsolePosix, JobControlLikeAFullScreenProgram) {
    const std::string program = KAVELTA_PROGRAM;
    {
        // Started in the background, it draws nothing; it waits for `fg`.
        Shell shell;
        std::size_t from = shell.run.seen.size();
        shell.command(program + " &");
        EXPECT_TRUE(shell.jobshows("Stopped (tty output)"));
        EXPECT_TRUE(shell.killed());
        EXPECT_EQ(shell.run.seen.find("Kavelta \r\n", from), std::string::npos);
        EXPECT_EQ(shell.run.seen.find(enter, from), std::string::npos);
    }
    Shell shell;
    OnTerminal& run = shell.run;
    std::string before = shell.settings();

    // Brought forward, it starts as in the foreground.
    shell.command(program + " &");
    std::size_t from = shell.press("fg\r", prompt);
    EXPECT_TRUE(inorder(run.seen.substr(from), {enter, "Kavelta \r\n", title("Kavelta-MENU")}));

    // Stopped at the menu and sent on in the background, it leaves the
    // screen alone and stops again when it needs the terminal.
    EXPECT_NE(shell.ctrlz().find(leave), std::string::npos);
    from = run.seen.size();
    shell.command("bg");
    EXPECT_TRUE(shell.jobshows("Stopped (tty input)"));
    EXPECT_EQ(run.seen.find(enter, from), std::string::npos);
    from = shell.press("fg\r", prompt);
    EXPECT_TRUE(inorder(run.seen.substr(from), {enter + title("Kavelta-MENU") + clear + "[1] TINH"}));

    // At a number prompt and at a key wait, `fg` shows the screen as it was,
    // the answers typed included, and the calculation goes on. What was
    // typed comes back as the terminal echoed it: a typed escape sequence
    // is shown, never carried out.
    const std::string subject = "Kavelta-TINH DIEM TRUNG BINH MON";
    const std::string second = "Nhap So Diem Kiem Tra Thuong Xuyen 2: ";
    const std::string refused = "So Khong Hop Le! Nhap Lai (Vd: 8.5)\r\n" + second;
    shell.press("1\r2\r8\rab\x1b[2Jcd\r", refused);
    std::string screen = "Nhap So Lan Kiem Tra Thuong Xuyen: 2\r\n"
                         "Nhap So Diem Kiem Tra Thuong Xuyen 1: 8\r\n" +
                         second + "ab^[[2Jcd\r\n" + refused;
    shell.stopandresume(subject, screen);
    shell.press("9\r7\r6\r", "Trung Binh Mon La: 7\r\n\r\n");
    ASSERT_TRUE(waitforkeymode(run, 5));
    shell.stopandresume(subject, screen + "9\r\nNhap So Diem Kiem tra giua ky: 7\r\n"
                                          "Nhap So Diem Kiem tra cuoi ky: 6\r\n"
                                          "Trung Binh Mon La: 7\r\n\r\n");
    ASSERT_TRUE(waitforkeymode(run, 5));

    // Stopped, then killed: it ends, and the terminal is as the user left it;
    // the screen given back at the stop is not given back a second time.
    shell.ctrlz();
    std::size_t stopped = run.seen.size();
    EXPECT_TRUE(shell.killed());
    EXPECT_EQ(shell.settings(), before);
    EXPECT_EQ(run.seen.find(leave, stopped), std::string::npos);
}



// A pasted script runs to its end, pasted at the menu or while the banner
// is typed out: two year averages, a key after each, then 4. What the
// terminal echoed on a screen since cleared is shown again after its
// prompt, as it is read. Keys that come after the key at a key wait, with
// echo off, are shown so too, and are part of that line: "x" then "y", or
// three turns of the mouse wheel, then "1"; and so is text left on the
// line after the last answer.
void typedaheadandpasted() {
    const std::string script = "3\r8\r9\r\r3\r7\r6\r\r4\r";
    for (bool duringbanner : {false, true}) {
        Terminal terminal;
        if (!duringbanner) {
            ASSERT_TRUE(terminal.tomenu());
        }
        type(terminal.run, script);
        terminal.endedwith(0, 0);
        const std::string second = "\r\nNhap Diem Trung Binh Hoc Ky 2: \r\n";
        EXPECT_TRUE(inorder(terminal.run.seen,
                            {prompt + "3\r\n", "Ky 1: \r\n8" + second + "9\r\n", "Ca Nam: 8.67\r\n",
                             prompt + "3\r\n", "Ky 1: \r\n7" + second + "6\r\n", "Ca Nam: 6.33\r\n",
                             prompt + "4\r\n"}));
    }
    Terminal terminal;
    OnTerminal& run = terminal.run;
    ASSERT_TRUE(terminal.tomenu());
    const struct {
        const char* last;  // the last answer's line
        std::string keys, shown;
    } cases[] = {{"9\r", "xy", "y1\r\n"},
                 {"9\r", "\x1b[A\x1b[A\x1b[A", "^[[A^[[A1\r\n"},
                 {"9 x\r", "k", " x\r\n"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(terminal.calculate(std::string("3\r6\r") + c.last, "Ca Nam: 8\r\n"));
        std::size_t from = run.seen.size();
        type(run, c.keys);
        std::string before = c.shown.substr(0, c.shown.find('1'));
        ASSERT_TRUE(waitfortext(run, prompt + before, 5, from));
        type(run, before == c.shown ? "" : "1\r");
        ASSERT_TRUE(waitfortext(run, "Sai Cu Phap! ", 5, from));
        EXPECT_TRUE(inorder(run.seen.substr(from), {prompt + c.shown + "Sai Cu Phap! "}));
        ASSERT_TRUE(waitforkeymode(run, 5));
        std::size_t said = run.seen.size();
        type(run, "k");
        ASSERT_TRUE(waitfortext(run, prompt, 5, said));
    }
    type(run, "4\r");
    terminal.endedwith(0, 0);
}

// Pushes and pops of the window title in what the program wrote.
bool titlesbalance(const std::string& seen) {
    auto count = [&](const std::string& text) {
        std::size_t found = 0;
        for (std::size_t at = seen.find(text); at != std::string::npos;
             at = seen.find(text, at + 1)) {
            ++found;
        }
        return found;
    };
    EXPECT_EQ(count("\x1b[22;0t"), count("\x1b[23;0t"));
    return count("\x1b[22;0t") == count("\x1b[23;0t");
}

// A terminal that takes no output: the screen record full of refused
// entries, the terminal not read while resumes fill it with redraws, then
// SIGTERM or SIGTSTP from outside. Read again within the second the way out
// waits, the terminal gets the leave sequence whole; after SIGTSTP, `fg`
// and quitting, the window title's pushes and pops balance.
void stalledterminal(int signo) {
    Shell shell(true);
    OnTerminal& run = shell.run;
    type(run, std::string(KAVELTA_PROGRAM) + " >&0\r");
    ASSERT_TRUE(waitfortext(run, prompt, 8));
    pid_t pid = programin(run.pid);
    ASSERT_GT(pid, 0);
    type(run, "1\r");
    const std::string count = "Nhap So Lan Kiem Tra Thuong Xuyen: ";
    const std::string refusal = "So Khong Hop Le! Nhap Lai (Vd: 8.5)\r\n" + count;
    for (int i = 0; i < 100; ++i) {
        std::size_t from = run.seen.size();
        type(run, std::string(120, 'x') + "\r");
        ASSERT_TRUE(waitfortext(run, refusal, 5, from));
    }
    std::size_t before = run.seen.size();
    for (int i = 0; i < 8; ++i) {
        kill(pid, SIGCONT);
        usleep(50000);
    }
    std::size_t said = run.said.size();
    kill(pid, signo);
    ASSERT_TRUE(waitfortext(run, leave, 5, before));
    if (signo == SIGTERM) {
        EXPECT_TRUE(waitforsaid(run, "Terminated", 5, said));
        EXPECT_EQ(run.seen.substr(run.seen.size() - leave.size()), leave);
        return;
    }
    ASSERT_TRUE(shell.prompted(said));
    std::size_t from = run.seen.size();
    type(run, "fg\r");
    ASSERT_TRUE(waitfortext(run, refusal, 5, from));
    said = run.said.size();
    type(run, "0 7 6\rk4\r");
    ASSERT_TRUE(shell.prompted(said));
    ASSERT_TRUE(waitfortext(run, leave, 5, from));
    titlesbalance(run.seen);
}

// The program started at the shell, at its menu, then stopped with a stop
// it cannot catch; its process once the shell prompts again, or -1.
pid_t stoppedatmenu(Shell& shell) {
    shell.press(std::string(KAVELTA_PROGRAM) + "\r", prompt);
    pid_t pid = programin(shell.run.pid);
    std::size_t from = shell.run.seen.size();
    if (pid <= 0 || kill(pid, SIGSTOP) != 0 || !shell.prompted(from)) {
        return -1;
    }
    return pid;
}

// A stop the program cannot catch, then a deadly signal once the shell's
// line editor has the terminal: the program ends without touching the
// shell's settings.
void stopthenkill() {
    Shell shell;
    OnTerminal& run = shell.run;
    pid_t pid = stoppedatmenu(shell);
    ASSERT_GT(pid, 0);
    usleep(100000);
    termios lineeditor{};
    ASSERT_EQ(tcgetattr(run.slave, &lineeditor), 0);
    kill(pid, SIGTERM);
    kill(pid, SIGCONT);
    EXPECT_TRUE(gone(pid));
    termios after{};
    ASSERT_EQ(tcgetattr(run.slave, &after), 0);
    EXPECT_TRUE(sameterminalsettings(lineeditor, after));
}

// A stop the program cannot catch lets another full-screen program take
// the terminal and leave the alternate screen: after `fg` the redraw
// switches to it again before it clears, without pushing the window title
// a second time, and the run still ends on the main screen.
void stopthenanotherprogram() {
    Shell shell;
    OnTerminal& run = shell.run;
    pid_t pid = stoppedatmenu(shell);
    ASSERT_GT(pid, 0);
    shell.command("printf '\\033[?1049h\\033[2J\\033[?1049l'");
    std::size_t from = shell.press("fg\r", prompt);
    EXPECT_TRUE(inorder(run.seen.substr(from), {"\x1b[?1049h" + title("Kavelta-MENU") + clear}));
    shell.press("4\r", shell.shellprompt);
    EXPECT_GT(run.seen.rfind(leave), run.seen.rfind("\x1b[?1049h"));
    titlesbalance(run.seen);
}

// Shrinks the window and grows it back, as a user dragging its corner;
// returns where what the program draws next starts.
std::size_t resize(OnTerminal& run) {
    std::size_t from = run.seen.size();
    for (unsigned short columns : {20, 100}) {
        winsize size{};
        size.ws_row = columns == 20 ? 4 : 30;
        size.ws_col = columns;
        ioctl(run.master, TIOCSWINSZ, &size);
    }
    return from;
}

// A resize draws the screen again as `fg` does: at the menu, at a prompt
// with an answer on screen (a blank in it), and at the key wait, where it
// is no key. While the program is stopped it draws nothing, until `fg`;
// what is typed after 4 then reaches the shell.
void resized() {
    Terminal terminal;
    OnTerminal& run = terminal.run;
    ASSERT_TRUE(terminal.tomenu());
    const std::string menu = "[1] TINH DIEM TRUNG BINH MON\r\n[2] TINH DIEM HOC KY\r\n"
                             "[3] TINH DIEM CA NAM\r\n[4] THOAT\r\n" + prompt;
    const std::string redrawn = "\x1b[?1049h" + title("Kavelta-MENU") + clear + menu;
    EXPECT_TRUE(waitfortext(run, redrawn, 5, resize(run)));
    type(run, "1\r");
    ASSERT_TRUE(waitfortext(run, "Xuyen: ", 5));
    const std::string screen = "Nhap So Lan Kiem Tra Thuong Xuyen: 2 8\r\nNhap So Diem Kiem Tra "
                               "Thuong Xuyen 1: Nhap So Diem Kiem Tra Thuong Xuyen 2: ";
    type(run, "2 8\r");
    ASSERT_TRUE(waitfortext(run, "Xuyen 2: ", 5));
    EXPECT_TRUE(waitfortext(run, clear + screen, 5, resize(run)));
    ASSERT_TRUE(terminal.calculate("9 7 6\r", "Trung Binh Mon La: 7\r\n\r\n"));
    std::size_t from = resize(run);
    EXPECT_TRUE(waitfortext(run, clear + screen + "9 7 6\r\n", 5, from));
    usleep(200000);
    EXPECT_TRUE(waitforkeymode(run, 1));
    EXPECT_EQ(run.seen.find(prompt, from), std::string::npos);
    type(run, "k4\r");
    terminal.endedwith(0, 0);

    Shell shell;
    pid_t pid = stoppedatmenu(shell);
    ASSERT_GT(pid, 0);
    from = shell.run.seen.size();
    kill(pid, SIGWINCH);
    kill(pid, SIGCONT);
    EXPECT_TRUE(shell.jobshows("Stopped (tty input)"));
    EXPECT_EQ(shell.run.seen.find(clear, from), std::string::npos);
    from = shell.press("fg\r", prompt);
    EXPECT_TRUE(inorder(shell.run.seen.substr(from), {title("Kavelta-MENU") + clear + menu}));
    shell.press("4\recho O''K\r", "OK\r\n");
}

// What the user sees is what the program reads: keys typed ahead and
// pastes, a terminal that takes no output, stops the program cannot catch,
// a resize.
TEST(ConsolePosix, WhatTheUserSeesIsWhatTheProgramReads) {
    {
        SCOPED_TRACE("typed ahead and pasted");
        typedaheadandpasted();
    }
    for (int signo : {SIGTERM, SIGTSTP}) {
        SCOPED_TRACE(::testing::Message() << "a stalled terminal, then " << strsignal(signo));
        stalledterminal(signo);
    }
    {
        SCOPED_TRACE("SIGSTOP, then a deadly signal");
        stopthenkill();
    }
    {
        SCOPED_TRACE("SIGSTOP, another full-screen program, then fg");
        stopthenanotherprogram();
    }
    {
        SCOPED_TRACE("a resize");
        resized();
    }
}

// strace attached to `pid`, holding it for 0.2 s each time a wait on the
// terminal ends: the moment between the wait and the read made wide; or
// holding it as `injection` says. Attached from outside, so that the job
// stops and resumes as it would without it. Returns strace's process once
// it holds the program.
pid_t holdwaits(pid_t pid, const char* injection = "--inject=ppoll,pselect6:delay_exit=200000") {
    pid_t tracer = fork();
    if (tracer == 0) {
        int null = open("/dev/null", O_RDWR);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        std::string target = std::to_string(pid);
        execl("/usr/bin/strace", "strace", "-o", "/dev/null", injection, "-p", target.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    double deadline = now() + 5;
    while (readfile("/proc/" + std::to_string(pid) + "/status").find("TracerPid:\t0\n") !=
               std::string::npos &&
           now() < deadline) {
        usleep(10000);
    }
    return tracer;
}

// A Ctrl-Z that lands after the key wait saw a key come and before it read
// the key (which the Ctrl-Z flushes) is never missed: after `fg` the screen
// is back and a key still ends the wait.
TEST(ConsolePosix, AStopBetweenTheWaitAndTheReadIsSeen) {
    if (access("/usr/bin/strace", X_OK) != 0) {
        GTEST_SKIP() << "needs /usr/bin/strace";
    }
    Shell shell;
    OnTerminal& run = shell.run;
    shell.press(std::string(KAVELTA_PROGRAM) + "\r", prompt);
    shell.press("3\r6\r9\r", "Diem Trung Binh Ca Nam: 8\r\n");
    ASSERT_TRUE(waitforkeymode(run, 5));
    pid_t tracer = holdwaits(programin(run.pid));
    type(run, "x");
    usleep(100000);
    EXPECT_NE(shell.ctrlz().find("Stopped"), std::string::npos);
    std::size_t from = shell.press("fg\r", "Diem Trung Binh Ca Nam: 8\r\n");
    EXPECT_NE(run.seen.find(clear, from), std::string::npos);
    ASSERT_TRUE(waitforkeymode(run, 5));
    shell.press("q", prompt);
    shell.press("4\r", shell.shellprompt);
    kill(tracer, SIGKILL);
    waitpid(tracer, nullptr, 0);
}

// Its transfers go through a description of the terminal of its own: held
// inside a read, it has left the one the shell shares as it was, blocking.
TEST(ConsolePosix, TheSharedDescriptionIsLeftAlone) {
    if (access("/usr/bin/strace", X_OK) != 0) {
        GTEST_SKIP() << "needs /usr/bin/strace";
    }
    Terminal terminal;
    ASSERT_TRUE(terminal.tomenu());
    pid_t tracer = holdwaits(terminal.run.pid, "--inject=read:delay_enter=300000");
    type(terminal.run, "4\r");
    usleep(150000);
    EXPECT_EQ(fcntl(terminal.run.slave, F_GETFL) & O_NONBLOCK, 0);
    kill(tracer, SIGKILL);
    waitpid(tracer, nullptr, 0);
    terminal.endedwith(0, 0);
}

// Where the program waits on the terminal when a signal comes: reading,
// writing with output paused, or drawing again with output paused.
enum class Point { read, write, redraw };

// The program blocked at `point`, then a stop (Ctrl-Z, then `fg`) or
// SIGTERM; on the terminal opened again, or, with `fallback`, where no name
// of it can be opened (a mount namespace hides /dev/pts).
void blockedthen(Point point, bool stop, bool fallback) {
    std::string command = KAVELTA_PROGRAM;
    if (fallback) {
        command = "unshare -m sh -c 'mount -t tmpfs tmpfs /dev/pts && exec \"$0\"' " + command;
    }
    Shell shell(true);
    OnTerminal& run = shell.run;
    type(run, command + " >&0\r");
    ASSERT_TRUE(waitfortext(run, prompt, 8));
    pid_t pid = programin(run.pid);
    ASSERT_GT(pid, 0);
    pid_t tracer = point == Point::read ? holdwaits(pid) : -1;
    const std::string first = "Nhap So Diem Kiem Tra Thuong Xuyen 1: ";
    if (point == Point::redraw) {
        shell.tosh("\x1a");
        type(run, "\x13" "fg\r");
    } else if (point == Point::write) {
        type(run, "1\r");
        ASSERT_TRUE(waitfortext(run, "Xuyen: ", 5));
        type(run, "\x13" "2\r");
    } else {
        type(run, "1\r");
    }
    usleep(100000);
    std::size_t last = run.seen.size();
    if (!stop) {
        std::size_t from = run.said.size();
        kill(pid, SIGTERM);
        EXPECT_TRUE(waitforsaid(run, "Terminated", 5, from));
    } else {
        // After the stop nothing of the program's screen comes before its
        // own switch to the alternate screen; then the screen is back as it
        // was, the prompt it was writing shown once, and takes the next
        // answer. A typed Ctrl-Z flushes the input, which a read must
        // survive; it also resumes paused output, so at the other points
        // the stop is sent as `kill -TSTP` sends it, leaving a write cut
        // short.
        std::size_t stopped = run.said.size();
        if (point == Point::read) {
            type(run, "\x1a");
        } else {
            kill(pid, SIGTSTP);
        }
        ASSERT_TRUE(shell.prompted(stopped));
        std::size_t left = run.seen.rfind(leave);
        ASSERT_NE(left, std::string::npos);
        std::size_t from = run.seen.size();
        type(run, "fg\r");
        ASSERT_TRUE(waitfortext(run, point == Point::write ? first : prompt, 5, from));
        usleep(100000);
        std::string after = run.seen.substr(left + leave.size());
        std::string beforeenter = after.substr(0, after.find(enter));
        EXPECT_TRUE(beforeenter.empty() || beforeenter == "^Z") << ::testing::PrintToString(after);
        EXPECT_EQ(after.find(first), after.rfind(first)) << ::testing::PrintToString(after);
        std::size_t ended = run.said.size();
        last = run.seen.size();
        type(run, point == Point::write ? "8 9 7 6\r\xf0\x9f\x98\x80" "4\r" : "4\r");
        EXPECT_TRUE(waitforsaid(run, "shell> ", 5, ended));
    }
    // Either way the terminal is given back last.
    ASSERT_TRUE(waitfortext(run, leave, 5, last));
    EXPECT_EQ(run.seen.substr(run.seen.size() - leave.size()), leave);
    if (tracer > 0) {
        kill(tracer, SIGKILL);
        waitpid(tracer, nullptr, 0);
    }
}

// Each point and each way, a stop then `fg` or SIGTERM.
void blockedtheneach(bool fallback) {
    const char* const names[] = {"read", "write", "redraw"};
    for (Point point : {Point::read, Point::write, Point::redraw}) {
        for (bool stop : {true, false}) {
            SCOPED_TRACE(::testing::Message() << names[static_cast<int>(point)]
                                              << (stop ? ", stop" : ", SIGTERM"));
            blockedthen(point, stop, fallback);
        }
    }
}

// A stop or a deadly signal while the program waits to read, to write with
// output paused, or to draw again: nothing of its screen lands on the
// user's, the screen comes back whole after `fg`, and the terminal is given
// back last.
TEST(ConsolePosix, AStopOrADeadlySignalWhileWaitingOnTheTerminal) {
    if (access("/usr/bin/strace", X_OK) != 0) {
        GTEST_SKIP() << "needs /usr/bin/strace";
    }
    blockedtheneach(false);
}

// The same where the terminal cannot be opened again, on standard input and
// output themselves.
TEST(ConsolePosix, AStopOrADeadlySignalWhileWaitingOnStandardInputAndOutput) {
    if (access("/usr/bin/strace", X_OK) != 0) {
        GTEST_SKIP() << "needs /usr/bin/strace";
    }
    if (runpiped({"/usr/bin/unshare", "-m", "mount", "-t", "tmpfs", "tmpfs", "/dev/pts"}, "")
            .status != 0) {
        GTEST_SKIP() << "hiding the terminal's name needs a mount namespace (unshare -m)";
    }
    blockedtheneach(true);
}

// Started in the background with SIGTTOU ignored, the terminal cannot
// stop it until `fg`, and will not let it draw: it ends with status 2 and
// says why, rather than trying again for ever.
TEST(ConsolePosix, InTheBackgroundWithNoStopToWaitFor) {
    Shell shell;
    std::size_t from = shell.said().size();
    shell.command("sh -c \"trap '' TTOU; exec '" KAVELTA_PROGRAM "'\" &");
    EXPECT_NE(shell.command("wait $!; echo status=$?").find("status=2"), std::string::npos);
    std::string said = shell.said().substr(from);
    EXPECT_NE(said.find("kavelta: cannot write standard output: Input/output error"),
              std::string::npos)
        << ::testing::PrintToString(said);
}

// Started in the background with descriptors 3 to 1023 taken, so that its
// own description of the terminal is 1024 or above: it draws nothing and
// waits, however often `bg` sends it on, until `fg`; then it draws and ends
// as asked.
TEST(ConsolePosix, StartedInTheBackgroundWithEveryLowDescriptorTaken) {
    Shell shell(true);
    OnTerminal& run = shell.run;
    shell.command("bash -c 'ulimit -n 2048 && for ((fd = 3; fd < 1024; fd++)); do "
                  "eval \"exec $fd</dev/null\"; done && exec \"$0\"' " KAVELTA_PROGRAM " >&0 &");
    EXPECT_TRUE(shell.jobshows("Stopped (tty output)"));
    shell.command("bg");
    EXPECT_TRUE(shell.jobshows("Stopped (tty output)"));
    EXPECT_EQ(run.seen.find(enter), std::string::npos);
    std::error_code none;
    std::string own = std::filesystem::read_symlink(
        "/proc/" + std::to_string(programin(run.pid)) + "/fd/1024", none);
    if (own.find("/dev/pts/") == std::string::npos) {
        GTEST_SKIP() << "no descriptor 1024 for the terminal here: " << own;
    }
    type(run, "fg\r");
    ASSERT_TRUE(waitfortext(run, prompt, 5));
    EXPECT_EQ(run.seen.find('\x1b'), run.seen.find(enter));
    std::size_t from = shell.said().size();
    type(run, "4\r");
    EXPECT_TRUE(shell.prompted(from));
    EXPECT_NE(shell.command("echo status=$?").find("status=0"), std::string::npos);
}

int childrenof(pid_t parent) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        pid_t pid = static_cast<pid_t>(std::strtol(entry.path().filename().c_str(), nullptr, 10));
        ProcessStat stat;
        count += pid > 0 && processstat(pid, stat) && stat.parent == parent;
    }
    return count;
}

TEST(ConsolePosix, CompanionIsDetachedAndNeverWaitedFor) {
    WorkDir work;
    const std::string& workdir = work.path;
    std::filesystem::create_directories(workdir + "/Tovamire");
    writefile(workdir + "/Tovamire/console", readfile(KAVELTA_STANDIN), true);
    Terminal terminal(workdir);
    OnTerminal& run = terminal.run;
    ASSERT_TRUE(terminal.tomenu());
    std::size_t from = run.seen.size();
    double asked = now();
    type(run, "console\r");
    ASSERT_TRUE(waitfortext(run, prompt, 5, from));
    // The stand-in stays for 5 seconds: the menu is back long before.
    EXPECT_LT(now() - asked, 1.0);

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
    // left behind as a child of the program, zombie or not. Each companion
    // started with no signal blocked, so Ctrl-C and SIGTERM reach it.
    EXPECT_EQ(childrenof(run.pid), 0);
    std::istringstream lines(marks);
    std::string line;
    while (std::getline(lines, line)) {
        std::string fds = line.substr(line.find(' ', line.find("pid=")) + 1);
        EXPECT_EQ(fds, "0=/dev/null 1=/dev/null 2=/dev/null");
        EXPECT_NE(line.find(" blocked=none "), std::string::npos) << line;
    }
    type(run, "4\r");
    terminal.endedwith(0, 0);
}

TEST(ConsolePosix, MissingCompanionChangesNothing) {
    WorkDir work;
    const std::string& workdir = work.path;
    Finished piped = runpiped({KAVELTA_PROGRAM}, "console\n4\n", workdir);
    const std::string menu =
        "\n[1] TINH DIEM TRUNG BINH MON\n[2] TINH DIEM HOC KY\n[3] TINH DIEM CA NAM\n"
        "[4] THOAT\nNhap Tuy Chon Cua Ban: \n";
    EXPECT_EQ(piped.output, "Kavelta \nPhien Ban: 1.1 - Ostrel Edition\n" + menu + menu + "\n");
    EXPECT_EQ(exitstatus(piped.status), 0);

    Terminal terminal(workdir);
    ASSERT_TRUE(terminal.tomenu());
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
