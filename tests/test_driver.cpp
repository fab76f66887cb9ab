// Whole sessions through the driver, compared as full transcripts.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "recording_console.hpp"

namespace kavelta::testing {
namespace {

const std::string subjectframe = "<cls><title:Kavelta-TINH DIEM TRUNG BINH MON>";
const std::string semesterframe = "<cls><title:Kavelta-TINH DIEM TRUNG BINH HOC KY>";
const std::string yearframe = "<cls><title:Kavelta-TINH DIEM TRUNG BINH CA NAM>";
const std::string unmatched = "Sai Cu Phap! <key>";

// Prompts and result of a subject average with no regular test, midterm 7
// and final 6 (7*2 + 6*3 = 32, over 5).
const std::string subjectnone =
    "Nhap So Lan Kiem Tra Thuong Xuyen: "
    "Nhap So Diem Kiem tra giua ky: "
    "Nhap So Diem Kiem tra cuoi ky: "
    "Trung Binh Mon La: 6.4\n\n";

TEST(Driver, WholeSessionWithEveryKindOfCommand) {
    Session session = runsession(
        "1\n2\n8\n9\n7\n6\n"
        "tdtbm\n0 7 6\n"
        "   tinh diem trung binh mon  \t\n0\n7\n6\n"
        "TDTBM\n"
        "\n\n   \n"
        "console\n"
        "1 4\n"
        "4\n"
        "1\n");
    std::string expected = startup + menu + subjectframe +
                           "Nhap So Lan Kiem Tra Thuong Xuyen: "
                           "Nhap So Diem Kiem Tra Thuong Xuyen 1: "
                           "Nhap So Diem Kiem Tra Thuong Xuyen 2: "
                           "Nhap So Diem Kiem tra giua ky: "
                           "Nhap So Diem Kiem tra cuoi ky: "
                           "Trung Binh Mon La: 7\n\n<key>" +
                           menu + subjectframe + subjectnone + "<key>" +
                           menu + subjectframe + subjectnone + "<key>" +
                           menu + unmatched +
                           menu + "<console>" +
                           menu + unmatched +
                           menu + "<cls>";
    EXPECT_EQ(session.transcript, expected);
    EXPECT_EQ(session.status, 0);
}

TEST(Driver, EveryAliasRunsItsRow) {
    const struct {
        const char* choice;
        const std::string* frame;
        const char* answers;
    } cases[] = {
        {"1", &subjectframe, "0 7 6"},
        {"tinh diem trung binh mon", &subjectframe, "0 7 6"},
        {"tdtbm", &subjectframe, "0 7 6"},
        {"2", &semesterframe, "1 1 1 1 1 1 1 1 1 1 1"},
        {"tinh diem trung binh hoc ky", &semesterframe, "1 1 1 1 1 1 1 1 1 1 1"},
        {"tdtbhk", &semesterframe, "1 1 1 1 1 1 1 1 1 1 1"},
        {"3", &yearframe, "6 9"},
        {"tinh diem trung binh ca nam", &yearframe, "6 9"},
        {"tdtbcn", &yearframe, "6 9"},
    };
    for (const auto& c : cases) {
        Session session = runsession(std::string(c.choice) + "\n" + c.answers + "\n4\n");
        std::string head = startup + menu + *c.frame;
        EXPECT_EQ(session.transcript.substr(0, head.size()), head) << c.choice;
        std::string tail = "<key>" + menu + "<cls>";
        ASSERT_GE(session.transcript.size(), tail.size());
        EXPECT_EQ(session.transcript.substr(session.transcript.size() - tail.size()), tail)
            << c.choice;
        EXPECT_EQ(session.status, 0);
    }
}

TEST(Driver, ChoicesThatMatchNothing) {
    const char* choices[] = {
        "TDTBM", "Tdtbm", "tinh diem hoc ky", "TINH DIEM HOC KY", "thoat", "THOAT",
        "tinh diem  trung binh mon", "tinh\tdiem trung binh mon", "1 4", "5", "0", "01",
        "1.0", "Console", "console x", "tdtbm1", "1\x01",
    };
    for (const char* choice : choices) {
        Session session = runsession(std::string(choice) + "\n4\n");
        EXPECT_EQ(session.transcript, startup + menu + unmatched + menu + "<cls>") << choice;
    }
    Session nul = runsession(std::string("1\0\n4\n", 5));
    EXPECT_EQ(nul.transcript, startup + menu + unmatched + menu + "<cls>");
}

TEST(Driver, WhiteSpaceAroundAChoiceAndLineEnds) {
    const char* inputs[] = {"  4  \n", "\t4\r\n", "\n\n\n4\n", "4", "\r\n\v\f 4 \r", "4\n1\n"};
    for (const char* input : inputs) {
        Session session = runsession(input);
        EXPECT_EQ(session.transcript, startup + menu + "<cls>") << input;
        EXPECT_EQ(session.status, 0);
    }
}

TEST(Driver, EndOfInputAtTheMenuEndsWithStatusZero) {
    for (const char* input : {"", "\n \n", "console\n"}) {
        Session session = runsession(input);
        EXPECT_EQ(session.status, 0) << input;
    }
    Session session = runsession("console\n");
    EXPECT_EQ(session.transcript, startup + menu + "<console>" + menu);
}

// Hands a session its input a line at a time, and notes how much it had
// written each time it asked for more.
struct LineByLine : std::streambuf {
    std::vector<std::string> lines;
    const std::ostringstream& out;
    std::vector<std::size_t> asked;
    std::size_t next = 0;
    LineByLine(const std::string& words, std::size_t count, const std::ostringstream& out)
        : out(out) {
        std::istringstream split(words);
        for (std::string word; lines.size() < count && split >> word;) {
            lines.push_back(word + "\n");
        }
    }
    int_type underflow() override {
        asked.push_back(out.str().size());
        if (next == lines.size()) {
            return traits_type::eof();
        }
        std::string& line = lines[next++];
        setg(line.data(), line.data(), line.data() + line.size());
        return traits_type::to_int_type(line[0]);
    }
};

TEST(Driver, EndOfInputInsideACalculationEndsWithStatusOne) {
    Session session = runsession("1\n2\n8\n");
    EXPECT_EQ(session.status, 1);
    EXPECT_EQ(session.transcript, startup + menu + subjectframe +
                                      "Nhap So Lan Kiem Tra Thuong Xuyen: "
                                      "Nhap So Diem Kiem Tra Thuong Xuyen 1: "
                                      "Nhap So Diem Kiem Tra Thuong Xuyen 2: ");
    // Input ends after the third subject: no average, no title.
    Session semester = runsession("2\n8 8 8\n");
    EXPECT_EQ(semester.status, 1);
    EXPECT_EQ(semester.transcript, startup + menu + semesterframe +
                                       "Nhap Diem Cac Mon Sau:\n"
                                       "TBM Toan: TBM Ngu Van: TBM Tieng Anh: TBM Dia Ly: ");
    EXPECT_EQ(runsession("3\n8").status, 1);
    // A last number cut short by the end of input still counts.
    EXPECT_EQ(runsession("3\n8 9").status, 0);

    // Every calculator, its input cut after each answer in turn, shows
    // nothing after the question it ended at, as it stood when the whole
    // session asked it.
    const std::string grades = "6 7 7 7 7 7 7 6 7 7 7 7 7 7 6 7 7 7 7 7 7 ";
    const char* sessions[] = {
        "1 2 8 9 7 6", "2 8 8 8 8 8 8 8 8 8 8 8", "3 6 9", "xlht 6 8 8 8 8 8 8 0",
        "dcd 1 8 7 8", "dcdcn 7.4 1 8 7 8", "tknh 6 7 7 7 7 7 7 7 7 7 7 7 7 0 1 0",
        "xll 8 6 6 6 6 6 4 3 2 1 4 3 3 5 5 5 0",
    };
    std::vector<std::string> all(std::begin(sessions), std::end(sessions));
    all.push_back("xtn " + grades + "4 7 7 7 7 0 0");
    all.push_back("dcdtn " + grades + "4 0 0");
    for (const std::string& session : all) {
        std::ostringstream out;
        LineByLine whole(session, std::string::npos, out);
        std::istream in(&whole);
        runshell(in, out, recordingconsole(out));
        const std::string transcript = out.str();
        for (std::size_t answers = 1; answers < whole.lines.size(); ++answers) {
            std::ostringstream cutout;
            LineByLine cut(session, answers, cutout);
            std::istream cutin(&cut);
            EXPECT_EQ(runshell(cutin, cutout, recordingconsole(cutout)), 1) << session;
            EXPECT_EQ(cutout.str(), transcript.substr(0, whole.asked[answers])) << session;
        }
    }
}

// Today's rules run in the calculators' frame, under titles of their own,
// and input that ends inside them ends the session with status 1.
TEST(Driver, TodaysRulesInTheCalculationFrame) {
    for (const char* choice : {"xlht", "xep loai hoc tap", "dcd", "diem can dat"}) {
        bool level = choice[0] == 'x';
        std::string answers = level ? "\n6 8 8 8 8 8 8 0" : "\n0 10 7";
        Session session = runsession(choice + answers);
        std::string frame = level ? "<cls><title:Kavelta-XEP LOAI KET QUA HOC TAP>"
                                  : "<cls><title:Kavelta-DIEM KIEM TRA CUOI KY CAN DAT>";
        std::string result = level ? "Tot\n<key>" : "Ghi Vao So Diem La: 7\n<key>";
        EXPECT_EQ(session.transcript.substr(0, startup.size() + menu.size() + frame.size()),
                  startup + menu + frame);
        std::size_t tail = result.size() + menu.size();
        EXPECT_EQ(session.transcript.substr(session.transcript.size() - tail), result + menu);
        EXPECT_EQ(runsession(std::string(choice) + "\n6 8 7").status, 1);
    }
}

TEST(Driver, TextLeftAfterTheLastNumberIsTheNextChoice) {
    Session session = runsession("1\n0 7 6 console\n3\n6\n9 bogus\n4\n");
    std::string expected = startup + menu + subjectframe + subjectnone + "<key>" + menu +
                           "<console>" + menu + yearframe +
                           "Nhap Diem Trung Binh Hoc Ky 1: \n"
                           "Nhap Diem Trung Binh Hoc Ky 2: \n"
                           "Diem Trung Binh Ca Nam: 8\n<key>" +
                           menu + unmatched + menu + "<cls>";
    EXPECT_EQ(session.transcript, expected);
}

TEST(Driver, VeryLongLinesAtTheMenuMatchNothing) {
    std::string spaces(5000, ' ');
    EXPECT_EQ(runsession("4" + spaces + "x\n4\n").transcript,
              startup + menu + unmatched + menu + "<cls>");
    EXPECT_EQ(runsession("4" + spaces + "\n").transcript, startup + menu + "<cls>");
    EXPECT_EQ(runsession(std::string(1 << 20, 'x') + "\n4\n").transcript,
              startup + menu + unmatched + menu + "<cls>");
}

TEST(Driver, OnlyTheProgramsOwnTitlesAreEverSet) {
    std::istringstream in(
        "title & calc\n1\n0 7 6 &&\n2\n& ^ | > nul\n9 9 9 9 9 9 9 9 9 9 9\n4\n");
    std::ostringstream out;
    std::string titles;
    Console console = recordingconsole(out);
    console.settitle = [&titles](std::string_view title) {
        titles.append(title);
        titles += '|';
    };
    runshell(in, out, console);
    EXPECT_EQ(titles,
              "Kavelta|Kavelta-bootapps|Kavelta-MENU|Kavelta-MENU|Kavelta-TINH DIEM TRUNG BINH MON|"
              "Kavelta-MENU|Kavelta-MENU|Kavelta-TINH DIEM TRUNG BINH HOC KY|Kavelta-MENU|");
}

}  // namespace
}  // namespace kavelta::testing
