// The web catalog's core: names and escaping of hostile library texts, the folder's swap and
// refusals, and a whole site of a hostile library.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/font_engine.h"
#include "site/html_text.h"
#include "site/pin_script.h"
#include "site/search_index.h"
#include "site/site_folder.h"
#include "site/site_names.h"
#include "site/site_writer.h"
#include "tests/support/temp_dir.h"

namespace quiral {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempDir;
using testing::writeBytes;

TEST(SiteText, HostileTextsStayTextAndOnlyWebAddressesBecomeLinks) {
  EXPECT_EQ(htmlText("<script>alert('x')</script> & \"q\""),
            "&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt; &amp; &quot;q&quot;");
  EXPECT_EQ(htmlText("a\x01\tb\x7f"), "a  b ");
  EXPECT_EQ(htmlText("caf\xe9"), "caf\xc3\xa9");  // Windows-1252 shown as UTF-8
  EXPECT_EQ(jsString("</script>\"\\\n\xe2\x80\xa8"), R"("\u003c/script>\"\\\u000a\u2028")");
  for (const char* link : {"http://a.b/x.pdf", "HTTPS://kicad.org/a?b=1&c"})
    EXPECT_TRUE(isWebLink(link)) << link;
  for (const char* text :
       {"javascript:alert(1)", " http://a.b", "data:text/html,x", "~", "file:///etc/passwd",
        "https://", "http:///x", "http://a b", "//evil.example/x", "ftp://a.b/c"})
    EXPECT_FALSE(isWebLink(text)) << text;
  EXPECT_EQ(urlEncoded("R #1/\xc3\xa9"), "R%20%231%2F%C3%A9");
}

// Pin kinds shared once per library; only texts that read back unchanged as numbers become numbers.
TEST(SitePins, PinTablesShareTheirWordsAndKeepEveryValueAsWritten) {
  PinScript script;
  EXPECT_TRUE(script.empty());
  script.add("none", {});
  script.add("U\"1", {{"1", "<i>IN</i>", "input", "line", "0", "1", "-150", "0", "R", "100"},
                      {"007", "-0", "input", "clock", "2", "2", "2.54", "-50", "L", "12345678901"},
                      {"A1", "~", "passive", "line", "x", "9", "0", "-0", "U", ""}});
  EXPECT_EQ(script.script(),
            "quiralPins([[\"input\",\"line\",\"all\",\"normal\"],[\"input\",\"clock\",\"B\","
            "\"De Morgan\"],[\"passive\",\"line\",\"x\",\"9\"]],{\n\"#U\\\"1\":[1,"
            "\"\\u003ci>IN\\u003c/i>\",0,-150,0,100,\"007\",\"-0\",1,\"2.54\",-50,\"12345678901\","
            "\"A1\",\"~\",2,0,\"-0\",\"\"]});\n");
}

TEST(SiteNames, OddNamesGiveSafeUniqueFileNamesAndAnchors) {
  const struct {
    const char* name;
    const char* stem;
  } stems[] = {{"R", "R"},         {"../../etc/passwd", "______etc_passwd"},
               {"-x", "_x"},       {"", "_"},
               {"a.b c", "a_b_c"}, {"\xc3\x9c\x62", "__b"},
               {"CON:1", "CON_1"}};
  for (const auto& s : stems) EXPECT_EQ(fileStem(s.name), s.stem) << s.name;
  EXPECT_EQ(fileStem(std::string(300, 'x')).size(), 80u);

  UniqueNames files;
  files.reserve("index");
  EXPECT_EQ(files.claim("Index"), "Index_2");
  EXPECT_EQ(files.claim("R"), "R");
  EXPECT_EQ(files.claim("r"), "r_2");  // one file on a case-blind file system
  EXPECT_EQ(files.claim("r_2"), "r_2_2");
  UniqueNames anchors(false);
  EXPECT_EQ(anchors.claim("R"), "R");
  EXPECT_EQ(anchors.claim("r"), "r");
  EXPECT_EQ(anchors.claim("R"), "R_2");
  EXPECT_EQ(anchorOf("A B\tC"), "A_B_C");
  EXPECT_EQ(anchorOf(""), "_");
  EXPECT_EQ(foldedWords("USB_C-Receptacle sot-23"), "usb c receptacle sot 23");
}

// The files of a folder, relative, sorted.
std::vector<std::string> filesOf(const fs::path& folder) {
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (!entry.is_directory()) files.push_back(fs::relative(entry.path(), folder).string());
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<std::string> entriesOf(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

void writeSiteWith(const std::string& target, const std::vector<std::string>& files) {
  SiteFolder folder(target);
  folder.makeFolder("pics");
  for (const std::string& file : files) folder.write(file, "new " + file);
  folder.commit();
}

TEST(SiteFolderTest, ReplacesOnlyItsOwnSiteWholeAndRefusesAnythingElse) {
  TempDir dir;
  const std::string site = dir.file("site");
  writeSiteWith(site, {"index.html", "pics/a.svg"});
  EXPECT_EQ(filesOf(site), (std::vector<std::string>{".quiral-site", "index.html", "pics/a.svg"}));

  // A second run replaces the first whole: its files that the new site lacks are gone.
  writeSiteWith(site, {"index.html", "pics/b.svg"});
  EXPECT_EQ(filesOf(site), (std::vector<std::string>{".quiral-site", "index.html", "pics/b.svg"}));
  EXPECT_EQ(readBytes(site + "/index.html"), "new index.html");
  EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"site"});

  // A run given up before commit leaves the site as it was and nothing beside it.
  {
    SiteFolder folder(site);
    folder.write("index.html", "half");
  }
  EXPECT_EQ(readBytes(site + "/index.html"), "new index.html");
  EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"site"});

  // A user's file in the site, a folder that is no site, a file in the target's place, a missing
  // folder above: each refused, naming the target, with nothing touched.
  writeBytes(site + "/pics/mine.txt", "mine");
  writeBytes(dir.file("file"), "a file");
  fs::create_directories(dir.file("other/sub"));
  writeBytes(dir.file("other/sub/notes"), "notes");
  for (const std::string& target :
       {site, dir.file("file"), dir.file("other"), dir.file("missing/site")}) {
    try {
      SiteFolder refused(target);
      ADD_FAILURE() << target << " was not refused";
    } catch (const QuiralError& e) {
      EXPECT_NE(std::string(e.what()).find(target), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(readBytes(site + "/pics/mine.txt"), "mine");
  EXPECT_EQ(readBytes(dir.file("file")), "a file");
  EXPECT_EQ(readBytes(dir.file("other/sub/notes")), "notes");

  // A marker naming files outside the site never makes a run remove them; an empty folder is
  // taken.
  fs::remove(site + "/pics/mine.txt");
  writeBytes(site + "/.quiral-site",
             readBytes(site + "/.quiral-site") + "../file\n" + dir.file("file") + "\n");
  writeSiteWith(site, {"index.html"});
  EXPECT_EQ(readBytes(dir.file("file")), "a file");
  fs::create_directories(dir.file("empty"));
  writeSiteWith(dir.file("empty"), {"index.html"});
  EXPECT_EQ(filesOf(dir.file("empty")), (std::vector<std::string>{".quiral-site", "index.html"}));
}

constexpr const char* kHostileLib =
    "EESchema-LIBRARY Version 2.4\n"
    "DEF <b>R</b> R 0 40 Y Y 2 F N\n"
    "F0 \"R\" 0 100 50 H V C CNN\n"
    "F3 \"javascript:alert(1)\" 0 0 50 H I C CNN\n"
    "ALIAS ../x.svg\n"
    "DRAW\nS -50 50 50 -50 0 1 10 N\nX <i>IN</i> 1 -150 0 100 R 50 50 1 1 I\n"
    "X OUT 2 150 0 100 L 50 50 2 1 O\nENDDRAW\nENDDEF\n"
    "DEF r R 0 40 Y Y 1 F N\nDRAW\nS -50 50 50 -50 0 1 10 N\nENDDRAW\nENDDEF\n"
    "#End Library\n";
constexpr const char* kHostileDcm =
    "EESchema-DOCLIB  Version 2.0\n"
    "$CMP <b>R</b>\nD <script>window.hit=1</script>\nK \"'><img src=x onerror=alert(1)>\n"
    "$ENDCMP\n$CMP r\nD plain\nF https://example.org/r.pdf\n$ENDCMP\n#End Doc Library\n";

class Recorder final : public SiteObserver {
 public:
  size_t cancelAfter = size_t(-1);
  std::vector<std::string> skippedLibraries;
  bool symbolDone(const std::string&, size_t, size_t, size_t, size_t) override {
    return ++done_ < cancelAfter;
  }
  void skipped(const std::string& library, const std::string&) override {
    skippedLibraries.push_back(library);
  }
  void warning(const std::string&, const std::string&) override {}

 private:
  size_t done_ = 0;
};

TEST(SiteWriterTest, AHostileLibraryIsShownAsTextWithSafeNamesAndACancelKeepsTheOldSite) {
  TempDir dir;
  writeBytes(dir.file("index.lib"), kHostileLib);  // named like the site's own page
  writeBytes(dir.file("index.dcm"), kHostileDcm);
  writeBytes(dir.file("broken.kicad_sym"), "(kicad_symbol_lib (symbol \"X\"");
  FontEngine fonts;
  Recorder observer;
  const std::string site = dir.file("site");
  const SiteSummary summary =
      writeSite(siteLibraries({dir.path().string()}), site, "<Lab>", fonts, &observer);
  EXPECT_EQ(summary.libraries, 1u);
  EXPECT_EQ(summary.symbols, 2u);
  EXPECT_EQ(summary.names, 3u);
  EXPECT_EQ(observer.skippedLibraries, std::vector<std::string>{dir.file("broken.kicad_sym")});

  const std::string page = readBytes(site + "/index_2.html");
  EXPECT_NE(page.find("&lt;script&gt;window.hit=1&lt;/script&gt;"), std::string::npos);
  EXPECT_NE(page.find("&quot;&#39;&gt;&lt;img src=x onerror=alert(1)&gt;"), std::string::npos);
  EXPECT_EQ(page.find("<script>window"), std::string::npos);
  EXPECT_EQ(page.find("href=\"javascript"), std::string::npos);
  EXPECT_NE(page.find("<dd>javascript:alert(1)"), std::string::npos);
  EXPECT_NE(page.find("<a href=\"https://example.org/r.pdf\""), std::string::npos);
  EXPECT_NE(page.find("id=\"&lt;b&gt;R&lt;/b&gt;\""), std::string::npos);
  EXPECT_NE(page.find("href=\"#%3Cb%3ER%3C%2Fb%3E\""), std::string::npos);
  EXPECT_NE(page.find("id=\"../x.svg\""), std::string::npos);
  const std::string pins = readBytes(site + "/index_2/pins.js");
  EXPECT_NE(pins.find(R"("\u003ci>IN\u003c/i>")"), std::string::npos);
  EXPECT_NE(page.find("<main class=\"symbols\" data-pins=\"index_2/pins.js\">"), std::string::npos);
  EXPECT_NE(page.find("alt=\"&lt;b&gt;R&lt;/b&gt;, unit A\""), std::string::npos);
  EXPECT_NE(readBytes(site + "/index.html").find("<h1>&lt;Lab&gt;</h1>"), std::string::npos);
  EXPECT_EQ(filesOf(site + "/index_2"),  // two units of one symbol
            (std::vector<std::string>{"_b_R__b_.A.svg", "_b_R__b_.B.svg", "pins.js", "r.svg"}));
  const std::string index = readBytes(site + "/search-index.js");
  EXPECT_NE(
      index.find(
          R"([0,"\u003cb>R\u003c/b>",null,8,"\u003cscript>window.hit=1\u003c/script>","b r b",)"),
      std::string::npos);

  // Cancelled on its second symbol, a new run leaves the site as it was.
  writeBytes(dir.file("index.lib"), "EESchema-LIBRARY Version 2.4\n#End Library\n");
  writeBytes(dir.file("more.lib"), kHostileLib);
  Recorder cancelling;
  cancelling.cancelAfter = 2;
  EXPECT_THROW(writeSite(siteLibraries({dir.path().string()}), site, "x", fonts, &cancelling),
               SiteCancelled);
  EXPECT_EQ(readBytes(site + "/index_2.html"), page);
  EXPECT_EQ(entriesOf(dir.path()), (std::vector<std::string>{"broken.kicad_sym", "index.dcm",
                                                             "index.lib", "more.lib", "site"}));
}

}  // namespace
}  // namespace quiral
