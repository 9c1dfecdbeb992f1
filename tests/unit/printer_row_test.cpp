#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "printer/printer_row.h"

namespace {

TEST(PrinterRow, JoinsWithSemicolonsAndNoSpaces)
{
    char row[kPrinterRowSize];
    EXPECT_EQ(1, BuildPrinterRow(row, sizeof row, "Front VRX-2260", "FILE:", "Kavix VRX-2260 PS"));
    EXPECT_STREQ("Front VRX-2260;FILE:;Kavix VRX-2260 PS", row);
}

TEST(PrinterRow, NullFieldsCountAsEmpty)
{
    char row[kPrinterRowSize];
    EXPECT_EQ(1, BuildPrinterRow(row, sizeof row, nullptr, "LPT1:", nullptr));
    EXPECT_STREQ(";LPT1:;", row);
    EXPECT_EQ(1, BuildPrinterRow(row, sizeof row, nullptr, nullptr, nullptr));
    EXPECT_STREQ(";;", row);
}

TEST(PrinterRow, LongRowIsCutAt255WithoutWritingPast)
{
    // A sentinel after the buffer shows a write past its end.
    char buffer[kPrinterRowSize + 8];
    std::memset(buffer, 'Z', sizeof buffer);
    std::string name(200, 'N');
    std::string driver(100, 'D');
    EXPECT_EQ(0, BuildPrinterRow(buffer, kPrinterRowSize, name.c_str(), "FILE:", driver.c_str()));
    EXPECT_EQ(255u, std::strlen(buffer));
    std::string expected = (name + ";FILE:;" + driver).substr(0, 255);
    EXPECT_EQ(expected, std::string(buffer));
    for (size_t i = kPrinterRowSize; i < sizeof buffer; ++i)
        EXPECT_EQ('Z', buffer[i]) << "byte " << i;
}

TEST(PrinterRow, ExactFitIsWhole)
{
    char row[kPrinterRowSize];
    std::string name(253, 'N');  // 253 + two separators = 255
    EXPECT_EQ(1, BuildPrinterRow(row, sizeof row, name.c_str(), "", ""));
    EXPECT_EQ(255u, std::strlen(row));
    std::string longer(254, 'N');
    EXPECT_EQ(0, BuildPrinterRow(row, sizeof row, longer.c_str(), "", ""));
    EXPECT_EQ(255u, std::strlen(row));
}

TEST(PrinterRow, NameLongerThanRowCutInsideFirstField)
{
    char row[16];
    std::string name(40, 'x');
    EXPECT_EQ(0, BuildPrinterRow(row, sizeof row, name.c_str(), "P", "D"));
    EXPECT_EQ(std::string(15, 'x'), std::string(row));
}

TEST(PrinterRow, ModelMatchIsExactAndAnywhere)
{
    struct Case {
        const char* name;
        const char* port;
        const char* driver;
        int expected;
    };
    const Case cases[] = {
        {"VRX-2260", "FILE:", "x", 1},
        {"Office", "FILE:", "Kavix VRX-2260 PS", 1},
        {"Office", "VRX-2260:", "x", 1},
        {"MyVRX-2260x", "", "", 1},
        {"vrx-2260", "FILE:", "Kavix vrx-2260", 0},
        {"Vrx-2260", "FILE:", "x", 0},
        {"VRX 2260", "FILE:", "VRX2260", 0},
        {"VRX-226", "0", "x", 0},
        {nullptr, nullptr, "VRX-2260", 1},
        {nullptr, nullptr, nullptr, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, IsTargetPrinter(c.name, c.port, c.driver))
            << (c.name ? c.name : "(null)") << ";" << (c.port ? c.port : "(null)") << ";"
            << (c.driver ? c.driver : "(null)");
}

TEST(PrinterRow, ModelBeyondTheCutStillMatches)
{
    std::string name(300, 'N');
    EXPECT_EQ(1, IsTargetPrinter(name.c_str(), "FILE:", "Kavix VRX-2260"));
}

}  // namespace
