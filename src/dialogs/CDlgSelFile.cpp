#include "dialogs/CDlgSelFile.h"

#include "controls/CMenuBtn.h"
#include "controls/CMyListCtrl.h"
#include "controls/COwnerButton.h"
#include "controls/ControlName.h"
#include "model/LanguageModule.h"
#include "platform/gui/ScreenClass.h"
#include "storage/FileWorkflow.h"
#include "storage/Settings.h"
#include "storage/UserPrompts.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeType>
#include <QShortcut>
#include <QStandardPaths>
#include <QTreeWidget>

namespace {

enum Column { NameColumn, SizeColumn, DateColumn };

const QString kRoot = QStringLiteral("/");

QString WithSlash(const QString& folder)
{
    if (folder.isEmpty())
        return kRoot;
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

// A name typed with a leading "/" is a path of its own; any other goes into
// the folder.
QString JoinPath(const QString& folder, const QString& name)
{
    return QDir::cleanPath(name.startsWith(u'/') ? name : folder + name);
}

// The last-write time as the list shows it: month/day/year hour:minute.
QString FileDate(const QDateTime& time)
{
    const QDate date = time.date();
    const QTime clock = time.time();
    return QString::asprintf("%02d/%02d/%d %02d:%02d", date.month(), date.day(), date.year(), clock.hour(),
                             clock.minute());
}

QLabel* MakeLabel(const QString& text, const QString& name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

} // namespace

CDlgSelFile::CDlgSelFile(ViewContext& context, bool existingFile, FileTypes types, const QString& folder,
                         const QString& name, QWidget* parent)
    : CDlgBase(context, Buttons::OkCancel, parent),
      m_existingFile(existingFile),
      m_types(types),
      m_folder(folder.isEmpty() ? folder : WithSlash(folder))
{
    setObjectName(QStringLiteral("CDlgSelFile"));
    setWindowTitle(QStringLiteral("Select File"));
    SetBanner(GetText(existingFile ? TextId::OpenFile : TextId::SaveFile));
    const bool large = ScreenClass::IsLarge();
    Settings& settings = context.planner.settings;

    m_folderLabel = MakeLabel(QStringLiteral("&Folder:"), QStringLiteral("FolderLabel"), this);
    m_folderButton = new CMenuBtn(kFolderId, this);
    m_folderLabel->setBuddy(m_folderButton);
    connect(m_folderButton, &CMenuBtn::EntryChosen, this, &CDlgSelFile::FolderChosen, Qt::QueuedConnection);

    m_rootButton = new COwnerButton(kRootId, this);
    m_rootButton->setObjectName(ControlName(u"COwnerButton", kRootId));
    m_rootButton->SetText(kRoot);
    connect(m_rootButton, &COwnerButton::Clicked, this, [this] { Fill(kRoot); }, Qt::QueuedConnection);
    m_upButton = new COwnerButton(kUpId, this);
    m_upButton->setObjectName(ControlName(u"COwnerButton", kUpId));
    m_upButton->SetText(QStringLiteral(".."));
    connect(m_upButton, &COwnerButton::Clicked, this, &CDlgSelFile::GoUp, Qt::QueuedConnection);

    m_nameLabel = MakeLabel(QStringLiteral("File &Name:"), QStringLiteral("FileNameLabel"), this);
    m_nameField = new QLineEdit(this);
    m_nameField->setObjectName(ControlName(u"Edit", kFileNameId));
    m_nameLabel->setBuddy(m_nameField);
    connect(m_nameField, &QLineEdit::returnPressed, this, &CDlgSelFile::PressOk);

    m_typeLabel = MakeLabel(QStringLiteral("File &Type:"), QStringLiteral("FileTypeLabel"), this);
    m_typeList = new QComboBox(this);
    m_typeList->setObjectName(ControlName(u"ComboBox", kFileTypeId));
    m_typeLabel->setBuddy(m_typeList);
    if (types == FileTypes::Data) {
        m_typeList->addItem(GetText(TextId::CalendarFilesFilter));
        m_typeList->addItem(GetText(TextId::AllFilesFilter));
        m_typeList->setCurrentIndex(std::clamp(settings.ReadFileTypeFilter(), 0, 1));
    } else {
        m_typeList->addItem(GetText(TextId::CsvFilesFilter));
        m_typeList->setCurrentIndex(0);
    }
    connect(m_typeList, &QComboBox::currentIndexChanged, this, &CDlgSelFile::FileTypeChanged);

    // The list's label is never shown; only its key stays: Alt+L goes to the list.
    m_listLabel = MakeLabel(QStringLiteral("(File &List)"), ControlName(u"Static", kFileListLabelId), this);
    m_listLabel->hide();
    m_list = new CMyListCtrl(kFileListId, settings, this);
    m_list->setColumnCount(3);
    m_list->setHeaderLabels({GetText(TextId::ColumnName), GetText(TextId::ColumnSize), GetText(TextId::ColumnDate)});
    m_list->headerItem()->setTextAlignment(SizeColumn, Qt::AlignRight | Qt::AlignVCenter);
    const int widths[2][3] = {{100, 70, 90}, {200, 140, 180}};
    for (int column = NameColumn; column <= DateColumn; ++column)
        m_list->setColumnWidth(column, widths[large ? 1 : 0][column]);
    m_list->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
    m_list->setSortingEnabled(false);
    m_list->installEventFilter(this);
    m_listLabel->setBuddy(m_list);
    auto* listKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_L), this);
    connect(listKey, &QShortcut::activated, m_list, [this] { m_list->setFocus(Qt::ShortcutFocusReason); });
    connect(m_list, &QTreeWidget::itemClicked, this, &CDlgSelFile::RowTapped);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &CDlgSelFile::SelectionChanged);

    Fill(m_folder);

    m_nameField->setText(name);
    m_nameField->selectAll();
    m_nameField->setFocus();
    RaiseInputPanel();
}

QString CDlgSelFile::ChosenPath() const
{
    return JoinPath(m_folder, m_name);
}

QString CDlgSelFile::CurrentExtension() const
{
    if (m_types == FileTypes::Csv)
        return QStringLiteral(".csv");
    return m_typeList->currentIndex() == 0 ? QStringLiteral(".vrx") : QString();
}

QStringList CDlgSelFile::FolderMenu() const
{
    QStringList folders;
    // The shown folder and every folder above it, the nearest first.
    for (QString folder = m_folder; folder.size() > 1;) {
        folders << folder;
        folder = FileWorkflow::FolderPart(folder.chopped(1));
    }
    const QString places[] = {QDir::homePath(),
                              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                              FileWorkflow::ProgramFolder()};
    for (const QString& place : places) {
        const QString folder = WithSlash(place);
        if (folder.size() > 1 && !folders.contains(folder) && QFileInfo(folder).isDir())
            folders << folder;
    }
    return folders;
}

void CDlgSelFile::Fill(const QString& folder)
{
    WaitCursor wait(Context().planner.prompts);
    m_folder = WithSlash(folder);
    m_folderButton->SetEntries(FolderMenu());
    m_folderButton->SetValue(m_folder);
    m_list->clear();

    // A folder that cannot be read lists nothing.
    const QFileInfoList entries =
        QDir(m_folder).entryInfoList(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot,
                                     QDir::DirsFirst | QDir::Name | QDir::IgnoreCase | QDir::LocaleAware);
    const QString extension = CurrentExtension();
    for (const QFileInfo& info : entries) {
        if (info.isDir())
            AddRow(info, true);
        else if (extension.isEmpty() || info.fileName().endsWith(extension, Qt::CaseInsensitive))
            AddRow(info, false);
    }
}

void CDlgSelFile::AddRow(const QFileInfo& info, bool folder)
{
    auto* item = new QTreeWidgetItem(m_list);
    item->setText(NameColumn, info.fileName());
    item->setData(NameColumn, kRowKindRole, folder ? FolderRow : FileRow);
    if (folder) {
        item->setIcon(NameColumn, m_icons.icon(QAbstractFileIconProvider::Folder));
        return;
    }
    item->setIcon(NameColumn, FileIcon(info));
    // The whole size: a file of 3 KB shows 3072, one of 5 GB its real size.
    item->setText(SizeColumn, QString::number(info.size()));
    item->setTextAlignment(SizeColumn, Qt::AlignRight | Qt::AlignVCenter);
    item->setText(DateColumn, FileDate(info.lastModified()));
}

QIcon CDlgSelFile::FileIcon(const QFileInfo& info)
{
    // By the name alone: reading every file to guess its type is slow, and
    // some files of the system folders never end.
    const QMimeType mime = m_mimeTypes.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    auto found = m_iconCache.constFind(mime.name());
    if (found != m_iconCache.constEnd())
        return *found;
    QIcon icon = QIcon::fromTheme(mime.iconName(), QIcon::fromTheme(mime.genericIconName()));
    if (icon.isNull())
        icon = m_icons.icon(QAbstractFileIconProvider::File);
    m_iconCache.insert(mime.name(), icon);
    return icon;
}

void CDlgSelFile::GoUp()
{
    QString folder = m_folder;
    if (folder.endsWith(u'/'))
        folder.chop(1);
    const qsizetype slash = folder.lastIndexOf(u'/');
    if (slash < 0)
        return;
    Fill(folder.left(slash + 1));
}

void CDlgSelFile::OpenRow(QTreeWidgetItem* item)
{
    const QString name = item->text(NameColumn);
    if (item->data(NameColumn, kRowKindRole).toInt() == FileRow) {
        m_nameField->setText(name);
        return;
    }
    // The list is refilled once the tap is over: the row goes with it.
    QMetaObject::invokeMethod(this, [this, name] { Fill(m_folder + name + u'/'); }, Qt::QueuedConnection);
}

void CDlgSelFile::RowTapped(QTreeWidgetItem* item)
{
    if (item)
        OpenRow(item);
}

void CDlgSelFile::SelectionChanged()
{
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.size() == 1 && selected.front()->data(NameColumn, kRowKindRole).toInt() == FileRow)
        m_nameField->setText(selected.front()->text(NameColumn));
}

void CDlgSelFile::FileTypeChanged(int index)
{
    if (m_types == FileTypes::Data)
        Context().planner.settings.WriteFileTypeFilter(index);
    Fill(m_folder);
}

void CDlgSelFile::FolderChosen(int index)
{
    if (index == 0) {
        Fill(kRoot);
        return;
    }
    const QStringList& folders = m_folderButton->Entries();
    if (index - 1 < folders.size())
        Fill(folders.at(index - 1));
}

void CDlgSelFile::OnOk()
{
    UserPrompts& prompts = Context().planner.prompts;
    const auto refuse = [&](TextId text) {
        prompts.ShowMessage(GetText(text), GetText(TextId::Error), UserPrompts::OkOnly, UserPrompts::Error);
    };
    if (m_folder.isEmpty()) {
        refuse(TextId::ChooseFolder);
        return;
    }
    QString name = m_nameField->text().trimmed();
    if (name.isEmpty() || name == u".") {
        m_nameField->clear();
        refuse(TextId::EnterFileName);
        return;
    }
    // Going somewhere else keeps the dialog open.
    if (name == u"..") {
        m_nameField->clear();
        GoUp();
        return;
    }
    if (name == kRoot || QFileInfo(JoinPath(m_folder, name)).isDir()) {
        m_nameField->clear();
        Fill(JoinPath(m_folder, name));
        return;
    }
    if (!m_existingFile && !FileWorkflow::NamePart(name).contains(u'.'))
        name += CurrentExtension();
    m_name = name;
    accept();
}

void CDlgSelFile::keyPressEvent(QKeyEvent* event)
{
    // Escape cancels only from the name field; anywhere else it leads there.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && focusWidget() != m_nameField) {
        m_nameField->setFocus(Qt::OtherFocusReason);
        event->accept();
        return;
    }
    CDlgBase::keyPressEvent(event);
}

bool CDlgSelFile::eventFilter(QObject* watched, QEvent* event)
{
    // Enter on a row does what a tap does; on a file it also confirms.
    if (watched == m_list && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
            if (QTreeWidgetItem* item = m_list->currentItem()) {
                OpenRow(item);
                if (item->data(NameColumn, kRowKindRole).toInt() == FileRow)
                    PressOk();
            }
            return true;
        }
    }
    return CDlgBase::eventFilter(watched, event);
}

int CDlgSelFile::LabelWidth() const
{
    int widest = 0;
    for (const QLabel* label : {m_folderLabel, m_nameLabel, m_typeLabel})
        widest = std::max(widest, label->fontMetrics().horizontalAdvance(QString(label->text()).remove(u'&')));
    return widest + 4 + 2;
}

void CDlgSelFile::LayoutControls(const QSize& size, bool large)
{
    const int w = size.width();
    const int h = size.height();
    const int l = LabelWidth();
    const auto place = [](QWidget* widget, int x, int y, int width, int height) {
        widget->setGeometry(x, y, std::max(0, width), std::max(0, height));
    };
    if (large) {
        place(m_folderLabel, 4, 52, l, 36);
        place(m_folderButton, l + 6, 48, w - l - 80, 40);
        place(m_rootButton, w - 70, 48, 32, 40);
        place(m_upButton, w - 36, 48, 32, 40);
        place(m_nameLabel, 4, 96, l, 36);
        place(m_nameField, l + 6, 92, w - l - 10, 40);
        place(m_typeLabel, 4, 140, l, 36);
        place(m_typeList, l + 6, 136, w - l - 10, 40);
        place(m_list, 4, 180, w - 8, h - 184);
    } else {
        place(m_folderLabel, 2, 26, l, 18);
        place(m_folderButton, l + 4, 24, w - l - 42, 20);
        place(m_rootButton, w - 36, 24, 16, 20);
        place(m_upButton, w - 18, 24, 16, 20);
        place(m_nameLabel, 2, 48, l, 18);
        place(m_nameField, l + 4, 46, w - l - 6, 20);
        place(m_typeLabel, 2, 70, l, 18);
        place(m_typeList, l + 4, 68, w - l - 6, 20);
        place(m_list, 2, 90, w - 4, h - 92);
    }
}
