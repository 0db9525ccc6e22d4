#pragma once

#include "dialogs/CDlgBase.h"

#include <QFileIconProvider>
#include <QHash>
#include <QIcon>
#include <QMimeDatabase>

class CMenuBtn;
class CMyListCtrl;
class COwnerButton;
class QComboBox;
class QFileInfo;
class QLabel;
class QLineEdit;
class QTreeWidgetItem;

// "Select File" (dialog 153): the program's own file chooser for calendar and
// CSV files. A folder line (a button whose menu offers the folders around
// and "/" and ".." buttons), the file name, the file type and the list of
// the folder: its folders first, then the files of the chosen type, each
// with its icon, size in bytes and date.
//
// Picking a folder in the list opens it; picking a file takes its name.
// Typing ".." or "/" as the name (or a folder's name) and OK goes there
// instead of closing. A name without a dot confirmed for a new file gets the
// type's extension. Escape outside the name field goes back to the name
// field; in it, Escape cancels.
class CDlgSelFile : public CDlgBase
{
    Q_OBJECT

public:
    enum class FileTypes { Data = 0, Csv = 1 };
    // Item data of the list's rows.
    enum RowKind { FolderRow = 0, FileRow = 1 };
    static constexpr int kRowKindRole = Qt::UserRole;

    static constexpr int kFileListId = 1100;
    static constexpr int kFileTypeId = 1101;
    static constexpr int kFileNameId = 1102;
    static constexpr int kUpId = 1103;
    static constexpr int kRootId = 1104;
    static constexpr int kFolderId = 1108;
    static constexpr int kFileListLabelId = 1134;

    // existingFile: the file is to be opened (no extension is added).
    CDlgSelFile(ViewContext& context, bool existingFile, FileTypes types, const QString& folder,
                const QString& name, QWidget* parent = nullptr);

    // The folder shown, ending with "/".
    const QString& Folder() const { return m_folder; }
    // The name confirmed with OK.
    const QString& FileName() const { return m_name; }
    // Folder and name joined (a name may also be a path of its own).
    QString ChosenPath() const;

    // ".vrx" for calendar files, ".csv" for CSV files, none for all files.
    QString CurrentExtension() const;

    // Shows a folder ("/" for an empty one) and lists it.
    void Fill(const QString& folder);
    // The folder above the one shown; nothing at the root.
    void GoUp();

    CMenuBtn* FolderButton() const { return m_folderButton; }
    COwnerButton* RootButton() const { return m_rootButton; }
    COwnerButton* UpButton() const { return m_upButton; }
    QLineEdit* NameField() const { return m_nameField; }
    QComboBox* FileTypeList() const { return m_typeList; }
    CMyListCtrl* FileList() const { return m_list; }

protected:
    void LayoutControls(const QSize& size, bool large) override;
    void OnOk() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The folders the folder button offers after "Computer": the shown folder
    // and those above it, then home, documents and the program's folder.
    QStringList FolderMenu() const;
    void RowTapped(QTreeWidgetItem* item);
    void SelectionChanged();
    void FileTypeChanged(int index);
    void FolderChosen(int index);
    void OpenRow(QTreeWidgetItem* item);
    void AddRow(const QFileInfo& info, bool folder);
    // The icon of the file's type in the desktop's icon theme.
    QIcon FileIcon(const QFileInfo& info);
    // The label column's width: the widest label plus its margins.
    int LabelWidth() const;

    bool m_existingFile;
    FileTypes m_types;
    QString m_folder;
    QString m_name;
    QFileIconProvider m_icons;
    QMimeDatabase m_mimeTypes;
    QHash<QString, QIcon> m_iconCache; // by type name

    QLabel* m_folderLabel;
    CMenuBtn* m_folderButton;
    COwnerButton* m_rootButton;
    COwnerButton* m_upButton;
    QLabel* m_nameLabel;
    QLineEdit* m_nameField;
    QLabel* m_typeLabel;
    QComboBox* m_typeList;
    QLabel* m_listLabel;
    CMyListCtrl* m_list;
};
