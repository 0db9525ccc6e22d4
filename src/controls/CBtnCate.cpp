#include "controls/CBtnCate.h"

#include "controls/ControlName.h"

#include "model/CalendarStore.h"
#include "model/LanguageModule.h"
#include "platform/gui/ColorRef.h"

#include <QPainter>
#include <QPointer>

namespace {
CBtnCate::CategoryEditor& CategoryEditorHook()
{
    static CBtnCate::CategoryEditor hook;
    return hook;
}
} // namespace

void CBtnCate::SetCategoryEditor(CategoryEditor editor)
{
    CategoryEditorHook() = std::move(editor);
}

bool CBtnCate::HasCategoryEditor()
{
    return bool(CategoryEditorHook());
}

CBtnCate::CBtnCate(int controlId, CalendarStore& store, bool withAll, QWidget* parent)
    : COwnerButton(controlId, parent)
    , m_store(store)
    , m_withAll(withAll)
    , m_category(withAll ? CalendarStore::kAllCategories : 0)
{
    setObjectName(ControlName(u"CBtnCate", controlId));
}

void CBtnCate::SetCategory(qint32 category)
{
    m_category = category;
    update();
}

QString CBtnCate::ShownText() const
{
    if (m_withAll && m_category == CalendarStore::kAllCategories)
        return GetText(TextId::AllCategories);
    if (const CategoryRecord* category = m_store.Categories().Get(m_category))
        return category->Name;
    return GetText(TextId::DefaultCategoryName);
}

quint32 CBtnCate::ShownColor() const
{
    if (m_withAll && m_category == CalendarStore::kAllCategories)
        return 0;
    if (const CategoryRecord* category = m_store.Categories().Get(m_category))
        return category->Color;
    return 0;
}

bool CBtnCate::FallBackIfGone()
{
    if (m_withAll && m_category == CalendarStore::kAllCategories)
        return false;
    if (m_store.Categories().IsLive(m_category))
        return false;
    const qint32 fallback = m_withAll ? CalendarStore::kAllCategories : 0;
    if (m_category == fallback)
        return false; // category 0 missing from an empty list: nothing better to fall to
    m_category = fallback;
    update();
    emit CategoryChosen(m_category, ControlId());
    return true;
}

MenuDesc CBtnCate::Menu() const
{
    MenuDesc items = m_store.CategoryMenu(m_category, m_withAll);
    for (MenuItemDesc& item : items) {
        if (!item.separator && item.commandId == CalendarStore::kEditCategoriesCommand)
            item.enabled = HasCategoryEditor();
    }
    return items;
}

void CBtnCate::DrawContent(QPainter& painter)
{
    FallBackIfGone();
    const QColor color = isEnabled() ? ColorFromRef(ShownColor()) : TextColor();
    DrawDropDownText(painter, ShownText(), color);
    DrawDropDownMark(painter);
}

void CBtnCate::EditCategories()
{
    if (!HasCategoryEditor())
        return;
    CategoryList edited = m_store.Categories();
    qint32 addedLast = 0;
    const QPointer<CBtnCate> alive(this); // the editor runs its own event loop
    if (!CategoryEditorHook()(m_store, edited, addedLast, this) || !alive)
        return;
    m_store.ReplaceCategories(edited);
    // A button without "all categories" still on the default category takes
    // the one just added, which is what the user went to the editor for.
    if (!m_withAll && m_category == 0 && addedLast != 0 && m_store.Categories().IsLive(addedLast))
        m_category = addedLast;
    repaint();
    emit CategoryListEdited(m_category, ControlId());
    FallBackIfGone();
}

void CBtnCate::OnClick()
{
    FallBackIfGone();
    const int chosen = RunMenu(Menu());
    if (chosen == 0)
        return;
    if (chosen == CalendarStore::kEditCategoriesCommand) {
        EditCategories();
        return;
    }
    if (chosen == CalendarStore::kAllCategories) {
        if (!m_withAll)
            return;
        m_category = CalendarStore::kAllCategories;
    } else {
        const qint32 category = chosen - CalendarStore::kCategoryCommandBase;
        if (!m_store.Categories().IsLive(category))
            return;
        m_category = category;
    }
    repaint();
    emit CategoryChosen(m_category, ControlId());
}
