#include <gtest/gtest.h>

#include "Csv.h"

namespace gr::csv {
namespace {

using Fields = std::vector<std::string>;

TEST(Csv, SplitsPlainRecordsWithLineNumbers) {
    const auto records = ParseCsv("a,b,c\nd,e,f\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].fields, (Fields{"a", "b", "c"}));
    EXPECT_EQ(records[1].fields, (Fields{"d", "e", "f"}));
    EXPECT_EQ(records[0].line, 1);
    EXPECT_EQ(records[1].line, 2);
    EXPECT_TRUE(records[1].error.empty());
}

TEST(Csv, AcceptsCrlfLfAndAMissingFinalLineEnd) {
    const auto records = ParseCsv("a,b\r\nc,d\ne,f");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].fields, (Fields{"a", "b"}));
    EXPECT_EQ(records[1].fields, (Fields{"c", "d"}));
    EXPECT_EQ(records[2].fields, (Fields{"e", "f"}));
    EXPECT_EQ(records[2].line, 3);
}

TEST(Csv, SkipsTheUtf8ByteOrderMark) {
    const auto records = ParseCsv("\xEF\xBB\xBFlast_name,first_name\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].fields[0], "last_name");
}

TEST(Csv, QuotedFieldsKeepCommasQuotesAndLineBreaks) {
    const auto records =
        ParseCsv("\"Smith, Jr.\",\"He said \"\"hi\"\"\",\"two\r\nlines\"\nx,y,z\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].fields, (Fields{"Smith, Jr.", "He said \"hi\"", "two\r\nlines"}));
    // The embedded line break moves the next record to physical line 3.
    EXPECT_EQ(records[1].line, 3);
}

TEST(Csv, EmptyFieldsAndEmptyQuotedFields) {
    const auto records = ParseCsv(",\"\",\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].fields, (Fields{"", "", ""}));
}

TEST(Csv, KeepsNonAsciiBytesUnchanged) {
    const auto records = ParseCsv("M\xC3\xBCller,Jos\xC3\xA9\n");
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].fields, (Fields{"M\xC3\xBCller", "Jos\xC3\xA9"}));
}

TEST(Csv, QuoteInsideAnUnquotedFieldIsMalformedAndParsingGoesOn) {
    const auto records = ParseCsv("ok,1\nO\"Brien,2\nnext,3\n");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[1].line, 2);
    EXPECT_EQ(records[1].error, "quote inside an unquoted field");
    EXPECT_TRUE(records[2].error.empty());
    EXPECT_EQ(records[2].fields, (Fields{"next", "3"}));
}

TEST(Csv, TextAfterAClosingQuoteIsMalformed) {
    const auto records = ParseCsv("\"abc\"def,1\nnext,2\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].error, "unexpected text after a closing quote");
    EXPECT_EQ(records[1].fields, (Fields{"next", "2"}));
}

TEST(Csv, UnterminatedQuoteEndsTheFile) {
    const auto records = ParseCsv("a,b\n\"never closed,c\nd,e\n");
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].line, 2);
    EXPECT_EQ(records[1].error, "unterminated quoted field");
}

TEST(Csv, EmptyTextHasNoRecords) {
    EXPECT_TRUE(ParseCsv("").empty());
}

TEST(Csv, FieldIsQuotedOnlyWhenItMustBe) {
    EXPECT_EQ(CsvField("plain"), "plain");
    EXPECT_EQ(CsvField("O'Brien"), "O'Brien");
    EXPECT_EQ(CsvField("Smith, Jr."), "\"Smith, Jr.\"");
    EXPECT_EQ(CsvField("say \"x\""), "\"say \"\"x\"\"\"");
    EXPECT_EQ(CsvField("a\nb"), "\"a\nb\"");
    EXPECT_EQ(CsvField(" padded"), "\" padded\"");
}

TEST(Csv, WrittenLinesReadBackToTheSameFields) {
    const Fields fields = {"Smith, Jr.", "D'Onta", "\"quoted\"", "", "line\nbreak", " x "};
    const auto records = ParseCsv(CsvLine(fields) + CsvLine({"second"}));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].fields, fields);
    EXPECT_TRUE(records[0].error.empty());
    EXPECT_EQ(records[1].fields, (Fields{"second"}));
}

TEST(Csv, SpreadsheetTextThatWouldRunAsAFormulaIsKeptAsText) {
    using Cells = std::vector<CsvCell>;
    const std::string line = SpreadsheetLine(
        Cells{CsvCell::Text("=HYPERLINK(\"http://x\",\"y\")"), CsvCell::Text("+1"),
              CsvCell::Text("-2"), CsvCell::Text("@SUM(A1)"), CsvCell::Text("\tx"),
              CsvCell::Text("Smith, Jr."), CsvCell::Text(""), CsvCell::Text("a=b")});
    EXPECT_EQ(line,
              "\"'=HYPERLINK(\"\"http://x\"\",\"\"y\"\")\",'+1,'-2,'@SUM(A1),'\tx,"
              "\"Smith, Jr.\",,a=b\r\n");
    const auto records = ParseCsv(line);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].fields[0], "'=HYPERLINK(\"http://x\",\"y\")");
    EXPECT_EQ(records[0].fields[5], "Smith, Jr.");
    // Every text reads back as it was, an apostrophe of its own included.
    for (const std::string text : {"=1", "-2", "@x", "'Tank", "'=x", "''x", "'", "a=b", ""}) {
        const auto back = ParseCsv(SpreadsheetLine({CsvCell::Text(text)}));
        ASSERT_EQ(back.size(), 1u) << text;
        EXPECT_EQ(SpreadsheetText(back[0].fields[0]), text) << text;
    }
}

TEST(Csv, SpreadsheetNumbersStayNumbersOnlyWhenTheyAreNumbers) {
    EXPECT_EQ(SpreadsheetField(CsvCell::Number("-12.50")), "-12.50");
    EXPECT_EQ(SpreadsheetField(CsvCell::Number("1250.00")), "1250.00");
    EXPECT_EQ(SpreadsheetField(CsvCell::Number("7")), "7");
    // Whatever is not a plain number is protected like text.
    EXPECT_EQ(SpreadsheetField(CsvCell::Number("-1+1")), "'-1+1");
    EXPECT_EQ(SpreadsheetField(CsvCell::Number("=1")), "'=1");
    EXPECT_EQ(SpreadsheetField(CsvCell::Number("-")), "'-");
    EXPECT_EQ(SpreadsheetField(CsvCell::Number("1.")), "1.");
    EXPECT_EQ(SpreadsheetField(CsvCell::Number("1,000.00")), "\"1,000.00\"");
    EXPECT_EQ(SpreadsheetField(CsvCell::Number("")), "");
}

}  // namespace
}  // namespace gr::csv
