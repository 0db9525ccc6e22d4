#include "dialogs/CDlgSelFile.h"

#include "controls/CMenuBtn.h"
#include "controls/CMyListCtrl.h"
#include "controls/CStaticClr.h"
#include "controls/COwnerButton.h"
#include "model/LanguageModule.h"
#include "platform/gui/MenuRunner.h"
#include "platform/gui/ScreenClass.h"
#include "support/PlannerObjects.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

using Types = CDlgSelFile::FileTypes;

void WriteFile(const QString& path, qsizetype size)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(QByteArray(size, 'x')), size);
}

// A folder with a sub-folder and files of every kind.
class CDlgSelFileTest : public ::testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        ScreenClass::Force(GetParam());
        QSettings(QSettings::NativeFormat, QSettings::UserScope, u"Corvane Software"_s, u"Orbelin Planner"_s).clear();
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(u"Plans/Old"_s));
        WriteFile(Path(u"a.vrx"_s), 3072);
        WriteFile(Path(u"B.VRX"_s), 10);
        WriteFile(Path(u"list.csv"_s), 5);
        WriteFile(Path(u"notes.txt"_s), 1);
        WriteFile(Path(u"vrx"_s), 1);
    }
    void TearDown() override
    {
        MenuRunner::ClearScript();
        ScreenClass::Reset();
    }

    QString Folder() const { return m_dir.path() + u'/'; }
    QString Path(const QString& name) const { return Folder() + name; }

    std::unique_ptr<CDlgSelFile> Open(bool existing, Types types, const QString& name = QString())
    {
        auto dialog = std::make_unique<CDlgSelFile>(objects.context, existing, types, m_dir.path(), name);
        dialog->show();
        return dialog;
    }

    static QStringList Rows(const CDlgSelFile& dialog)
    {
        QStringList rows;
        QTreeWidget* list = dialog.FileList();
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            rows << list->topLevelItem(i)->text(0);
        return rows;
    }
    static QTreeWidgetItem* Row(const CDlgSelFile& dialog, const QString& name)
    {
        const auto found = dialog.FileList()->findItems(name, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.front();
    }
    static void Confirm(CDlgSelFile& dialog, const QString& name)
    {
        dialog.NameField()->setText(name);
        QTest::keyClick(dialog.NameField(), Qt::Key_Return);
    }
    static void TapRow(const CDlgSelFile& dialog, QTreeWidgetItem* item)
    {
        QTreeWidget* list = dialog.FileList();
        const QPoint at = list->visualItemRect(item).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QCoreApplication::sendPostedEvents();
    }

    QTemporaryDir m_dir;
    PlannerObjects objects{GetParam()};
};

TEST_P(CDlgSelFileTest, CalendarFilesShowFoldersFirstThenFilesEndingInVrxInAnyCase)
{
    auto dialog = Open(true, Types::Data);
    EXPECT_EQ(dialog->Folder(), Folder());
    EXPECT_EQ(dialog->FolderButton()->Value(), Folder());
    EXPECT_EQ(Rows(*dialog), (QStringList{u"Plans"_s, u"a.vrx"_s, u"B.VRX"_s}));
    EXPECT_EQ(Row(*dialog, u"Plans"_s)->data(0, CDlgSelFile::kRowKindRole).toInt(), CDlgSelFile::FolderRow);
    EXPECT_EQ(Row(*dialog, u"a.vrx"_s)->data(0, CDlgSelFile::kRowKindRole).toInt(), CDlgSelFile::FileRow);
    EXPECT_TRUE(Row(*dialog, u"Plans"_s)->text(1).isEmpty());
    EXPECT_EQ(dialog->Banner()->Text(), GetText(TextId::OpenFile));
    EXPECT_EQ(dialog->FileTypeList()->count(), 2);
    EXPECT_EQ(dialog->FileTypeList()->itemText(0), GetText(TextId::CalendarFilesFilter));
    EXPECT_EQ(dialog->CurrentExtension(), u".vrx"_s);
}

TEST_P(CDlgSelFileTest, AllFilesListsEverythingAndTheChoiceIsKeptForTheNextTime)
{
    {
        auto dialog = Open(true, Types::Data);
        dialog->FileTypeList()->setCurrentIndex(1);
        EXPECT_EQ(Rows(*dialog),
                  (QStringList{u"Plans"_s, u"a.vrx"_s, u"B.VRX"_s, u"list.csv"_s, u"notes.txt"_s, u"vrx"_s}));
        EXPECT_TRUE(dialog->CurrentExtension().isEmpty());
    }
    EXPECT_EQ(objects.settings.ReadFileTypeFilter(), 1);
    auto next = Open(false, Types::Data);
    EXPECT_EQ(next->FileTypeList()->currentIndex(), 1);
    EXPECT_EQ(next->Banner()->Text(), GetText(TextId::SaveFile));
}

TEST_P(CDlgSelFileTest, CsvFilesHaveOneTypeThatDoesNotTouchTheStoredChoice)
{
    objects.settings.WriteFileTypeFilter(1);
    auto dialog = Open(true, Types::Csv);
    EXPECT_EQ(dialog->FileTypeList()->count(), 1);
    EXPECT_EQ(dialog->FileTypeList()->itemText(0), GetText(TextId::CsvFilesFilter));
    EXPECT_EQ(Rows(*dialog), (QStringList{u"Plans"_s, u"list.csv"_s}));
    EXPECT_EQ(objects.settings.ReadFileTypeFilter(), 1);
}

TEST_P(CDlgSelFileTest, FilesShowTheirSizeInBytesAndTheirDate)
{
    const QDateTime written(QDate(2009, 3, 5), QTime(7, 4));
    {
        QFile file(Path(u"a.vrx"_s));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(written, QFileDevice::FileModificationTime));
    }
    auto dialog = Open(true, Types::Data);
    QTreeWidgetItem* row = Row(*dialog, u"a.vrx"_s);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->text(1), u"3072"_s);
    EXPECT_EQ(row->text(2), u"03/05/2009 07:04"_s);
    EXPECT_EQ(dialog->FileList()->headerItem()->text(0), GetText(TextId::ColumnName));
    EXPECT_EQ(dialog->FileList()->headerItem()->text(1), GetText(TextId::ColumnSize));
    EXPECT_EQ(dialog->FileList()->headerItem()->text(2), GetText(TextId::ColumnDate));
}

TEST_P(CDlgSelFileTest, NameWithoutADotGetsTheExtensionOnlyForANewFileOfAType)
{
    struct Row
    {
        const char* name;
        bool existing;
        Types types;
        int fileType;
        QString typed;
        QString chosen;
    };
    const Row rows[] = {
        {"new calendar", false, Types::Data, 0, u"Work"_s, u"Work.vrx"_s},
        {"new calendar with a dot", false, Types::Data, 0, u"Work.2024"_s, u"Work.2024"_s},
        {"new file of any type", false, Types::Data, 1, u"Work"_s, u"Work"_s},
        {"new CSV file", false, Types::Csv, 0, u"tasks"_s, u"tasks.csv"_s},
        {"file to open", true, Types::Data, 0, u"Work"_s, u"Work"_s},
        {"blanks around", false, Types::Data, 0, u"  Work  "_s, u"Work.vrx"_s},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto dialog = Open(row.existing, row.types);
        dialog->FileTypeList()->setCurrentIndex(row.fileType);
        Confirm(*dialog, row.typed);
        EXPECT_EQ(dialog->result(), QDialog::Accepted);
        EXPECT_EQ(dialog->FileName(), row.chosen);
        EXPECT_EQ(dialog->ChosenPath(), Path(row.chosen));
    }
}

TEST_P(CDlgSelFileTest, DotDotAndSlashTypedAsTheNameMoveAndTheDialogStays)
{
    const QString parent = QFileInfo(m_dir.path()).absolutePath() + u'/';
    auto dialog = Open(false, Types::Data);
    Confirm(*dialog, u".."_s);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Folder(), parent);
    EXPECT_TRUE(dialog->NameField()->text().isEmpty());
    EXPECT_TRUE(Row(*dialog, QFileInfo(m_dir.path()).fileName()));

    Confirm(*dialog, u"/"_s);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->Folder(), u"/"_s);

    // A folder's name (or path) opens it too.
    Confirm(*dialog, Path(u"Plans"_s));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->Folder(), Path(u"Plans/"_s));
    Confirm(*dialog, u"Old"_s);
    EXPECT_EQ(dialog->Folder(), Path(u"Plans/Old/"_s));
    EXPECT_TRUE(dialog->isVisible());
}

TEST_P(CDlgSelFileTest, AnEmptyNameOrADotIsRefusedAndTheDialogStays)
{
    auto dialog = Open(false, Types::Data);
    for (const QString& typed : {QString(), u"."_s, u"   "_s}) {
        objects.prompts.messages.clear();
        Confirm(*dialog, typed);
        EXPECT_TRUE(dialog->isVisible());
        ASSERT_EQ(objects.prompts.messages.size(), 1);
        EXPECT_EQ(objects.prompts.messages[0].text, GetText(TextId::EnterFileName));
        EXPECT_EQ(objects.prompts.messages[0].caption, GetText(TextId::Error));
        EXPECT_EQ(objects.prompts.messages[0].icon, UserPrompts::Error);
        EXPECT_TRUE(dialog->NameField()->text().isEmpty());
    }
}

TEST_P(CDlgSelFileTest, TappingAFolderOpensItAndTappingAFileTakesItsName)
{
    auto dialog = Open(true, Types::Data, u"Old.vrx"_s);
    EXPECT_EQ(dialog->NameField()->text(), u"Old.vrx"_s);
    EXPECT_EQ(dialog->NameField()->selectedText(), u"Old.vrx"_s);
    EXPECT_EQ(dialog->focusWidget(), dialog->NameField());

    TapRow(*dialog, Row(*dialog, u"B.VRX"_s));
    EXPECT_EQ(dialog->NameField()->text(), u"B.VRX"_s);
    // Moving the selection with the keys takes the name too.
    QTest::keyClick(dialog->FileList(), Qt::Key_Up);
    EXPECT_EQ(dialog->NameField()->text(), u"a.vrx"_s);

    TapRow(*dialog, Row(*dialog, u"Plans"_s));
    EXPECT_EQ(dialog->Folder(), Path(u"Plans/"_s));
    EXPECT_EQ(Rows(*dialog), QStringList{u"Old"_s});
    EXPECT_EQ(dialog->NameField()->text(), u"a.vrx"_s);

    // Enter on a folder opens it as well.
    dialog->FileList()->setCurrentItem(Row(*dialog, u"Old"_s));
    QTest::keyClick(dialog->FileList(), Qt::Key_Return);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(dialog->Folder(), Path(u"Plans/Old/"_s));
    EXPECT_TRUE(dialog->isVisible());
}

TEST_P(CDlgSelFileTest, TheButtonsGoToTheRootTheParentAndTheFoldersOfTheMenu)
{
    auto dialog = Open(true, Types::Data);
    dialog->Fill(Path(u"Plans/Old"_s));
    EXPECT_EQ(dialog->Folder(), Path(u"Plans/Old/"_s));
    // The menu: the folder and those above it, nearest first.
    const QStringList entries = dialog->FolderButton()->Entries();
    ASSERT_GE(entries.size(), 3);
    EXPECT_EQ(entries.mid(0, 3), (QStringList{Path(u"Plans/Old/"_s), Path(u"Plans/"_s), Folder()}));
    EXPECT_EQ(dialog->FolderButton()->CurrentIndex(), 1);

    MenuRunner::SetScript([](const MenuDesc&) { return 3; }); // the second entry
    QTest::mouseClick(dialog->FolderButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(dialog->Folder(), Path(u"Plans/"_s));

    QTest::mouseClick(dialog->UpButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(dialog->Folder(), Folder());

    QTest::mouseClick(dialog->RootButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(dialog->Folder(), u"/"_s);
    // Nothing is above the root.
    dialog->GoUp();
    EXPECT_EQ(dialog->Folder(), u"/"_s);

    MenuRunner::SetScript([](const MenuDesc&) { return 2; }); // the first entry
    QTest::mouseClick(dialog->FolderButton(), Qt::LeftButton);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(dialog->Folder(), dialog->FolderButton()->Entries().value(0, u"?"_s));
}

TEST_P(CDlgSelFileTest, EscapeLeadsBackToTheNameFieldAndCancelsOnlyFromThere)
{
    auto dialog = Open(true, Types::Data);
    dialog->activateWindow();
    dialog->FileList()->setFocus();
    QTest::keyClick(dialog->FileList(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->focusWidget(), dialog->NameField());

    QTest::keyClick(dialog->NameField(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_P(CDlgSelFileTest, AFolderThatCannotBeReadListsNothing)
{
    auto dialog = Open(true, Types::Data);
    dialog->Fill(Path(u"missing"_s));
    EXPECT_EQ(dialog->Folder(), Path(u"missing/"_s));
    EXPECT_TRUE(Rows(*dialog).isEmpty());
    dialog->Fill(QString());
    EXPECT_EQ(dialog->Folder(), u"/"_s);
}

TEST_P(CDlgSelFileTest, ControlsTakeTheirPlacesOfTheLayoutTable)
{
    const bool large = GetParam();
    auto dialog = Open(true, Types::Data);
    dialog->resize(large ? 480 : 240, large ? 536 : 300);
    const int w = dialog->LayoutSize().width();
    const int h = dialog->LayoutSize().height();
    const QLabel* folderLabel = dialog->findChild<QLabel*>(u"FolderLabel"_s);
    ASSERT_TRUE(folderLabel);
    const int l = folderLabel->width();
    for (const char* name : {"FolderLabel", "FileNameLabel", "FileTypeLabel"}) {
        const QLabel* label = dialog->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_TRUE(label);
        EXPECT_GE(l, label->fontMetrics().horizontalAdvance(QString(label->text()).remove(u'&')) + 6) << name;
    }
    if (large) {
        EXPECT_EQ(dialog->FolderButton()->geometry(), QRect(l + 6, 48, w - l - 80, 40));
        EXPECT_EQ(dialog->RootButton()->geometry(), QRect(w - 70, 48, 32, 40));
        EXPECT_EQ(dialog->UpButton()->geometry(), QRect(w - 36, 48, 32, 40));
        EXPECT_EQ(dialog->NameField()->geometry(), QRect(l + 6, 92, w - l - 10, 40));
        EXPECT_EQ(dialog->FileTypeList()->geometry().topLeft(), QPoint(l + 6, 136));
        EXPECT_EQ(dialog->FileList()->geometry(), QRect(4, 180, w - 8, h - 184));
        EXPECT_EQ(dialog->FileList()->columnWidth(0), 200);
    } else {
        EXPECT_EQ(dialog->FolderButton()->geometry(), QRect(l + 4, 24, w - l - 42, 20));
        EXPECT_EQ(dialog->RootButton()->geometry(), QRect(w - 36, 24, 16, 20));
        EXPECT_EQ(dialog->UpButton()->geometry(), QRect(w - 18, 24, 16, 20));
        EXPECT_EQ(dialog->NameField()->geometry(), QRect(l + 4, 46, w - l - 6, 20));
        EXPECT_EQ(dialog->FileTypeList()->geometry().topLeft(), QPoint(l + 4, 68));
        EXPECT_EQ(dialog->FileList()->geometry(), QRect(2, 90, w - 4, h - 92));
        EXPECT_EQ(dialog->FileList()->columnWidth(0), 100);
    }
    // The list's own label is hidden; its key still reaches the list.
    const QLabel* listLabel = dialog->findChild<QLabel*>(u"Static1134"_s);
    ASSERT_TRUE(listLabel);
    EXPECT_FALSE(listLabel->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Screens, CDlgSelFileTest, ::testing::Bool(),
                         [](const testing::TestParamInfo<bool>& row) { return row.param ? "Large" : "Small"; });

} // namespace
