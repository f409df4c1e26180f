#include "files/file_dialogs.h"
#include "test_app.h"

#include <QFileDialog>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ksv;

TEST(FileDialogs, OpenAndSaveAreQtDialogsForSettingsFiles) {
    test::testApp();
    QTemporaryDir dir;

    const auto open = makeOpenDialog(nullptr, dir.filePath(QStringLiteral("a.ust")));
    EXPECT_EQ(open->windowTitle(), QStringLiteral("Открытие файла"));
    EXPECT_EQ(open->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(open->fileMode(), QFileDialog::AnyFile); // names that do not exist are accepted
    EXPECT_TRUE(open->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(open->nameFilters(), QStringList{QStringLiteral("Файл установок (*.ust *.UST)")});
    EXPECT_EQ(open->defaultSuffix(), QStringLiteral("ust"));

    const auto save = makeSaveDialog(nullptr, dir.filePath(QStringLiteral("000000")));
    EXPECT_EQ(save->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(save->testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_FALSE(save->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(save->nameFilters(), open->nameFilters());
    // A proposed name without extension is returned with ".ust".
    EXPECT_EQ(save->selectedFiles(), QStringList{dir.filePath(QStringLiteral("000000.ust"))});
}
