// The one record of every value of a run, owned by the driver from start-up
// to exit. Calculators write only their own fields; the texts c1..c3 are
// fixed at start-up and read by the semester calculator.
#pragma once

#include <cstdint>
#include <string>

#include "common/recorded.hpp"

namespace kavelta {

// "à" is one byte 0xE0 in the Windows console's code page; a POSIX terminal
// expects UTF-8, where the same letter is the two bytes C3 A0.
#ifdef _WIN32
#define KAVELTA_A_GRAVE "\xE0"
#else
#define KAVELTA_A_GRAVE "\xC3\xA0"
#endif

// Upper secondary: grades 10, 11 and 12, which graduation counts.
constexpr int uppergrades = 3;
constexpr int firstuppergrade = 10;

// The version as the program gives it, in its version line and --version.
#define KAVELTA_RELEASE KAVELTA_VERSION " - Ostrel Edition"

struct ShellState {
    // Shell texts.
    std::string titlejoin = "Kavelta \n";
    std::string headtext1 = "Phien Ban: " KAVELTA_RELEASE;
    std::string appchose;
    std::string c1 = "Hoc Sinh Gioi";
    std::string c2 = "Hoc Sinh Kha";
    std::string c3 = "Khong co danh hieu hoc sinh gioi v" KAVELTA_A_GRAVE " hoc sinh kha";

    // Subject average. sochia has room for 10 regular tests, which is why
    // the count of regular tests is capped at 10.
    float n = 0;
    float sochia[10] = {};
    float tongtx = 0;
    float diemgk = 0;
    float diemck = 0;
    double tbm = 0;

    // Semester average: the eleven subject averages, a1..a3 being the key
    // subjects of the title rules.
    float a1 = 0, a2 = 0, a3 = 0, a4 = 0, a5 = 0, a6 = 0;
    float a7 = 0, a8 = 0, a9 = 0, a10 = 0, a11 = 0;
    float tbhk = 0;

    // Year average.
    float diemhk1 = 0;
    float diemhk2 = 0;
    float tbcn = 0;

    // Today's learning level: the averages of the subjects assessed by
    // scores as the grade book records them, and how many subjects assessed
    // by comment are rated Chua Dat. No curriculum has more than 15 scored
    // subjects.
    float somondiem = 0;
    Tenths tbmon[15] = {};
    float somonchuadat = 0;

    // The year's outcome: each scored subject's two semester averages as
    // recorded (tbmon then holds the year's), the year's conduct as typed
    // (1 Tot, 2 Kha, 3 Dat, 4 Chua Dat) and the sessions missed. After the
    // summer, as the rules replace them, a re-test's score takes the place
    // of its subject's year average in tbmon, the comment subjects still at
    // Chua Dat that of somonchuadat, and the conduct re-assessed that of
    // renluyen.
    Tenths tbmhk1[15] = {};
    Tenths tbmhk2[15] = {};
    float renluyen = 0;
    float sobuoinghi = 0;

    // The final-test score a target needs, for a subject average or a year
    // average. The count and the scores are the subject average's fields,
    // asked by the same dialogue; today's rules also keep the regular scores
    // and the midterm as typed. Semester 1, the target, the score found and
    // the averages it gives, as recorded: tbmghiso is the subject's average
    // for the semester of that final test.
    Billionths tongtxtyped = 0;
    Billionths diemgktyped = 0;
    Tenths diemhk1ghiso;
    Tenths muctieu;
    Tenths diemckcan;
    Tenths tbmghiso;
    Tenths tbcnghiso;

    // The graduation score: for each grade, 10 to 12, the count of scored
    // subjects and their year averages as recorded, and the mean of those to
    // two decimals; the years' weighted mean; the exams that count and
    // their scores as typed, the encouragement points as typed, the
    // priority points; the score found.
    float somonlop[uppergrades] = {};
    Tenths tbcnlop[uppergrades][15] = {};
    Hundredths tblop[uppergrades];
    Hundredths tbcacnam;
    float sobaithi = 0;
    Billionths diembaithi[4] = {};
    Billionths diemkhuyenkhich = 0;
    Hundredths diemuutien;
    Hundredths diemxettotnghiep;

    // The exams a graduation needs, with the graduation score's fields but
    // the exams: the lowest exam total that graduates, and the lowest mark
    // that reaches it with every exam the same. diemxettotnghiep is then the
    // score that total gives.
    Hundredths tongdiemthican;
    Hundredths diemthimoibai;
};

}  // namespace kavelta
