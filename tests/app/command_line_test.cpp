// The program's arguments: a folder or a library to open, --version and --help, and refusals.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>
#include <cerrno>
#include <cstring>

#include "app/dialogs.h"
#include "app/program_start.h"
#include "app/window_language.h"
#include "platform/error.h"
#include "tests/app/test_fixtures.h"

namespace quiral {
namespace {

using Action = CommandLine::Action;

class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    root = QDir(dir.path()).canonicalPath().toStdString();
    testing::writeFile(QString::fromStdString(root), "libs/gates.lib", "DEF A A 0 0 N Y 1 F N\n");
  }
  testing::CurrentFolderGuard folderGuard;
  QTemporaryDir dir;
  std::string root;
};

TEST_F(CommandLineTest, AFolderOrALibraryIsOpenedByItsAbsolutePath) {
  EXPECT_EQ(parseCommandLine({}).action, Action::Run);
  EXPECT_EQ(parseCommandLine({}).startFolder, "");

  CommandLine folder = parseCommandLine({root + "/libs/"});
  EXPECT_EQ(folder.action, Action::Run);
  EXPECT_EQ(folder.startFolder, root + "/libs/");
  EXPECT_EQ(folder.startLibrary, "");

  // Relative to the folder the program starts in, which it leaves when it opens another.
  ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(root)));
  CommandLine library = parseCommandLine({"./libs/../libs/gates.lib"});
  EXPECT_EQ(library.action, Action::Run);
  EXPECT_EQ(library.startFolder, root + "/libs");
  EXPECT_EQ(library.startLibrary, "gates.lib");

  // After "--" a name that starts with a dash is a path.
  testing::writeFile(QString::fromStdString(root), "-odd.lib", "");
  EXPECT_EQ(parseCommandLine({"--", "-odd.lib"}).startLibrary, "-odd.lib");
}

TEST_F(CommandLineTest, VersionAndHelpWinOverEverythingElse) {
  EXPECT_EQ(parseCommandLine({"--version"}).action, Action::PrintVersion);
  EXPECT_EQ(parseCommandLine({root, "--version"}).action, Action::PrintVersion);
  EXPECT_EQ(parseCommandLine({"--help"}).action, Action::PrintHelp);
  EXPECT_EQ(parseCommandLine({"-h", "missing"}).action, Action::PrintHelp);
  EXPECT_TRUE(versionText().starts_with("quiral "));
  EXPECT_TRUE(versionText().ends_with("\n"));
}

TEST_F(CommandLineTest, BadArgumentsAndMissingPathsAreRefusedBeforeAnyWindow) {
  const CommandLine missing = parseCommandLine({root + "/nothing.lib"});
  EXPECT_EQ(missing.action, Action::Refuse);
  EXPECT_EQ(missing.exitStatus, kPathFails);
  EXPECT_EQ(missing.message, root + "/nothing.lib: " + std::strerror(ENOENT));

  for (const auto& args :
       std::vector<std::vector<std::string>>{{"--colour"}, {root, root}, {""}, {"-x", root}}) {
    const CommandLine refused = parseCommandLine(args);
    EXPECT_EQ(refused.action, Action::Refuse) << ::testing::PrintToString(args);
    EXPECT_EQ(refused.exitStatus, kBadArguments) << ::testing::PrintToString(args);
    EXPECT_FALSE(refused.message.empty());
  }
}

TEST(ProgramStart, ARefusedPathIsShownInTheErrorBoxWhenThereIsNoTerminal) {
  const CommandLine refused = parseCommandLine({"/no/such/folder/anywhere"});
  ASSERT_EQ(refused.action, Action::Refuse);
  testing::TestDialogs dialogs;
  EXPECT_FALSE(showRefusalWithoutTerminal(refused, true, dialogs));  // on the terminal only
  EXPECT_TRUE(dialogs.messages().isEmpty());
  EXPECT_TRUE(showRefusalWithoutTerminal(refused, false, dialogs));
  EXPECT_EQ(dialogs.messages(), QStringList{QString::fromStdString(refused.message)});
  EXPECT_FALSE(showRefusalWithoutTerminal(parseCommandLine({}), false, dialogs));
}

TEST(ProgramStart, QtsOwnTextsAndTheCoresMessagesSpeakPortugueseInTheWindows) {
  std::unique_ptr<QTranslator> translator = installWindowLanguage(PageLanguage::Portuguese);
  ASSERT_NE(translator, nullptr) << "Qt's translations (qt6-translations-l10n) are missing";
  QDialogButtonBox buttons(QDialogButtonBox::Cancel | QDialogButtonBox::Save);
  EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), "Cancelar");
  translator.reset();

  testing::TestDialogs errors;
  errors.runGuarded(nullptr, [] {
    throw QuiralError("The report is still being prepared; save it when all its pages are ready");
  });
  errors.runGuarded(nullptr, [] { throw QuiralError("The report has no page 12"); });
  errors.runGuarded(nullptr, [] { throw QuiralError("The file is too large: /x/%1.QRP"); });
  errors.runGuarded(nullptr, [] { throw FileError(ENOENT, "/x"); });  // the platform's own text
  EXPECT_EQ(errors.messages(),
            (QStringList{QString::fromUtf8("O relatório ainda está sendo preparado; grave-o quando "
                                           "todas as suas páginas estiverem prontas"),
                         QString::fromUtf8("O relatório não tem a página 12"),
                         QString::fromUtf8("O arquivo é grande demais: /x/%1.QRP"),
                         testing::platformText("/x", ENOENT)}));
}

}  // namespace
}  // namespace quiral
