// Will it scan, and the texts phones act on, through quirvane-encode: the
// warnings that cost nothing, --check's read-back and exit status for each
// way a symbol fails to scan, and each content format's exact text read
// back by zbarimg.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/cli/tool_run.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/zbar_decode.h"

namespace quirvane::testing {
namespace {

constexpr char kUrl[] = "https://example.com/";
const std::string kFaint = "warning: the colours' contrast is ";
const std::string kReversed =
    "warning: the dark modules are lighter than the background: many "
    "readers do not read such a symbol";
const std::string kNarrow =
    "warning: the quiet zone in modules is 1, where readers need 4 to find the symbol";
const std::string kOnePixel = "warning: modules of 1 pixel often do not scan: use -s 2 or more";

TEST(ToolCheck, WarningsAndReadBackFollowWhatIsWritten) {
    // clang-format off
    const std::tuple<Args, std::vector<std::string>, int, bool> rows[] = {
        // options, warnings, exit status with --check, read back
        {{}, {}, 0, true},
        {{"-c", "255,255,0"}, {kFaint + "7.2 %, grade F: readers may not see the symbol"}, 3, true},
        {{"-c", "255,255,255", "--background", "0,0,0"}, {kReversed}, 3, false},
        {{"-c", "0,0,0", "--background", "0,0,0"}, {kFaint + "0 %, grade F: readers may not see "
                                                    "the symbol"}, 3, false},
        {{"-s", "1"}, {kOnePixel}, 3, false},  // zbar misses this one: a failure on purpose
        {{"-m", "1", "-t", "svg"}, {kNarrow}, 0, true},
        {{"--background", "transparent", "-t", "pdf"}, {}, 0, true}};
    // clang-format on
    ScratchFolder folder;
    for (const auto& [options, warnings, exit, readsBack] : rows) {
        Args args = {"-o", folder / "c.png", kUrl};
        args.insert(args.end(), options.begin(), options.end());
        SCOPED_TRACE(::testing::PrintToString(args));
        std::string said;
        for (const std::string& warning : warnings) {
            said += "quirvane-encode: " + warning + "\n";
        }
        const ProcessRun quiet = RunTool(args);
        EXPECT_EQ(std::tuple(quiet.exitCode, quiet.err), std::tuple(0, said));
        args.push_back("--check");
        const ProcessRun checked = RunTool(args);
        EXPECT_EQ(checked.exitCode, exit);
        EXPECT_TRUE(checked.err.starts_with(said)) << checked.err;
        EXPECT_TRUE(checked.err.ends_with(readsBack ? ": read back: yes\n" : ": read back: no\n"));
    }
    const ProcessRun report = RunTool({"--check", "-d", "300", "-o", folder / "r.png", kUrl});
    EXPECT_EQ(report.err,
              "quirvane-encode: contrast: 100 %, grade A, dark modules on a light background\n"
              "quirvane-encode: quiet zone in modules: 4\nquirvane-encode: module: 2 px, 0.17 mm\n"
              "quirvane-encode: read back: yes\n");
    const ProcessRun batch =
        RunTool({"--batch", "-", "--check", "-s", "1", "-o", folder / "{n}.png"},
                std::string(kUrl) + "\n\nhttps://example.org/\n");
    EXPECT_EQ(std::tuple(batch.exitCode, batch.err.substr(batch.err.rfind("quirvane-encode:"))),
              std::tuple(3, "quirvane-encode: 2 made, 0 refused, 0 failed; 2 did not read back\n"));
}

TEST(ToolContent, EachFormatGivesItsExactTextAndReadsBackAsIt) {
    // clang-format off
    const std::pair<Args, std::string> rows[] = {
        {{"--wifi", "--ssid", "Café;5G", "--password", "p@ss;word,\"1\":\\", "--hidden"},
         "WIFI:T:WPA;S:Café\\;5G;P:p@ss\\;word\\,\\\"1\\\"\\:\\\\;H:true;;"},
        {{"--mecard", "--family-name", "山田", "--given-name", "太郎", "--family-reading", "やまだ",
          "--given-reading", "たろう", "--phone", "03-1234-5678", "--phone", "+81 90 1234 5678",
          "--note", "a,b;c:d\\e"},
         "MECARD:N:山田,太郎;SOUND:やまだ,たろう;TEL:03-1234-5678;TEL:+81-90-1234-5678;"
         "NOTE:a\\,b\\;c\\:d\\\\e;;"},
        {{"--vcard", "--family-name", "Doe, Jr", "--given-name", "John", "--organisation", "ACME",
          "--note", "one\ntwo 😀"},
         "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe\\, Jr;John;;;\r\nFN:John Doe\\, Jr\r\nORG:ACME\r\n"
         "NOTE:one\\ntwo 😀\r\nEND:VCARD\r\n"},
        {{"--mailto", "--email", "a@example.com", "--subject", "Hi & bye?", "--body", "行\n2"},
         "mailto:a@example.com?subject=Hi%20%26%20bye%3F&body=%E8%A1%8C%0D%0A2"},
        {{"--tel", "--phone", "+81 (3) 1234.5678"}, "tel:+81-3-1234-5678"},
        {{"--sms", "--phone", "090-1234-5678", "--body", "at 5:30"},
         "SMSTO:090-1234-5678:at 5:30"},
        {{"--geo", "--latitude", "35.65860", "--longitude", "-139.7454"}, "geo:35.6586,-139.7454"},
        {{"--event", "--summary", "Talk; Q&A, tea", "--start", "2026-05-01T09:00+09:00", "--end",
          "2026-05-01T10:30+09:00", "--location", "東京"},
         "BEGIN:VEVENT\r\nSUMMARY:Talk\\; Q&A\\, tea\r\nDTSTART:20260501T000000Z\r\n"
         "DTEND:20260501T013000Z\r\nLOCATION:東京\r\nEND:VEVENT\r\n"}};
    // clang-format on
    ScratchFolder folder;
    for (auto [args, text] : rows) {
        SCOPED_TRACE(::testing::PrintToString(args));
        args.push_back("--print-text");
        EXPECT_EQ(RunTool(args).out, text + "\n");
        args.back() = "-o";
        args.push_back(folder / "c.png");
        EXPECT_EQ(RunTool(args).exitCode, 0);
        EXPECT_EQ(ZbarRead(folder / "c.png", Zbar::Text), text);
    }
}

TEST(ToolContent, ARefusedFieldIsNamed) {
    // clang-format off
    const std::pair<Args, std::string> rows[] = {
        {{"--geo", "--latitude", "91", "--longitude", "0"},
         "--latitude: '91' is not accepted; use decimal degrees, -90 to 90"},
        {{"--mecard", "--given-name", "A", "--birthday", "2026-13-01"},
         "--birthday: '2026-13-01' is not accepted; use a date that exists, YYYY-MM-DD"},
        {{"--wifi", "--ssid", "", "--password", "12345678"}, "--wifi needs --ssid"},
        {{"--wifi", "--ssid", "x", "--security", "nopass", "--password", "y"},
         "--password does not go with --security nopass"},
        {{"--mecard", "--given-name", "A", "--title", "CEO"}, "--title does not go with --mecard"},
        {{"--tel", "--phone", "1", "--phone", "2"}, "--phone goes only once with --tel"},
        {{"--wifi", "--geo"}, "--wifi and --geo do not go together"},
        {{"--ssid", "x", "text"}, "--ssid is a field of a content format: give --wifi, --mecard, "
                                  "--vcard, --mailto, --tel, --sms, --geo or --event"}};
    // clang-format on
    for (const auto& [args, message] : rows) {
        SCOPED_TRACE(::testing::PrintToString(args));
        const ProcessRun run = RunTool(args);
        EXPECT_EQ(std::tuple(run.exitCode, run.err, run.out),
                  std::tuple(2, "quirvane-encode: " + message + "\n", ""));
    }
}

}  // namespace
}  // namespace quirvane::testing
