#include "platform/gui/Images.h"

#include <QDebug>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <array>
#include <iterator>

using namespace Qt::StringLiterals;

// The resources live in a static library: nothing refers to them by symbol,
// so they are registered by hand before the first picture is drawn.
static void RegisterImageResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(images);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace {

// Task icons in the order of their numbers (number = position + 1). Stored
// files refer to icons by number, so new icons go to the end.
constexpr std::array kTaskIcons{
    "star", "flag", "phone", "envelope", "house", "briefcase", "cart", "gift",
    "heart", "book", "car", "plane", "money", "clock", "person", "people",
    "pin", "tools", "music", "camera", "medical", "cake", "bulb", "check",
};
constexpr std::array kDayMarks{"flight", "note"};
constexpr std::array kGlyphs{"unchecked", "checked", "collapsed", "expanded"};
constexpr std::array kPriorityMarks{"high", "low"};
constexpr std::array kPriorityImages{"low", "normal", "high"}; // priority -1, 0, 1
constexpr std::array kToolbar{"save", "new-task", "move-up", "move-down", "delete-task"};
constexpr std::array kNav{"today", "back", "forward"};
constexpr std::array kTabs{"month", "week", "list", "no-date"};

// One rendered picture, told apart by the addresses of its folder and name
// texts (literals of the tables above, fixed while the program runs) and its
// size, so a lookup while painting builds no text.
struct Key
{
    const char* folder;
    const char* name;
    int width;
    int height;
    bool operator==(const Key&) const = default;
};

size_t qHash(const Key& key, size_t seed = 0) noexcept
{
    return qHashMulti(seed, static_cast<const void*>(key.folder), static_cast<const void*>(key.name),
                      key.width, key.height);
}

QImage RenderImage(const QString& resource, QSize size)
{
    RegisterImageResources();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    if (!renderer.isValid()) {
        qWarning() << "Images: cannot read" << resource;
        return {};
    }
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

// Draws ":/images/<folder>/<name>[-<variant>].svg" at the given size, once.
// A picture drawn for each size names its variant (its design height); one
// that scales exactly by two has none.
QPixmap Picture(const char* folder, const char* name, int variant, QSize size)
{
    static QHash<Key, QPixmap> cache;
    const Key key{folder, name, size.width(), size.height()};
    const auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;
    QString resource = u":/images/"_s + QLatin1StringView(folder) + u'/' + QLatin1StringView(name);
    if (variant > 0)
        resource += u'-' + QString::number(variant);
    resource += u".svg"_s;
    const QPixmap pixmap = QPixmap::fromImage(RenderImage(resource, size));
    cache.insert(key, pixmap);
    return pixmap;
}

// How a picture is drawn for the two layouts: with a drawing of its own for
// each size (named after its design height), or once on the small grid and
// doubled exactly for the large layout.
enum class Drawn { PerSize, Doubled };

template <typename Table>
QPixmap FromTable(const char* folder, const Table& table, int index, Drawn drawn, QSize size)
{
    if (index < 0 || index >= static_cast<int>(std::size(table)))
        return {};
    const int variant = drawn == Drawn::PerSize ? size.height() : 0;
    return Picture(folder, table[static_cast<size_t>(index)], variant, size);
}

QSize Square(int side)
{
    return QSize(side, side);
}

// Icon sizes a desktop asks for: window decorations, task bars, menus and
// file managers; sizes in between are scaled down from the next larger one.
// 16 pixels has a drawing of its own, the others come from the 32-pixel one.
QIcon BuildIcon(const char* name)
{
    static constexpr std::array kSizes{16, 32, 48, 64, 128, 256};
    QIcon icon;
    for (const int side : kSizes) {
        const int variant = side == 16 ? 16 : 0;
        icon.addPixmap(Picture("app", name, variant, Square(side)));
    }
    return icon;
}

} // namespace

QPixmap Images::TaskIcon(int number, bool large)
{
    return FromTable("task", kTaskIcons, number - 1, Drawn::PerSize, Square(TaskIconSize(large)));
}

int Images::TaskIconCount()
{
    return static_cast<int>(kTaskIcons.size()) + 1;
}

QPixmap Images::DayMarkIcon(int index, bool large)
{
    return FromTable("daymark", kDayMarks, index, Drawn::PerSize, Square(DayMarkIconSize(large)));
}

QPixmap Images::Glyph(int frame, bool large)
{
    return FromTable("glyph", kGlyphs, frame, Drawn::PerSize, Square(GlyphSize(large)));
}

QPixmap Images::PriorityMark(int frame, bool large)
{
    return FromTable("priomark", kPriorityMarks, frame, Drawn::PerSize, PriorityMarkSize(large));
}

QPixmap Images::NoteMark(bool large)
{
    static constexpr std::array kNote{"note"};
    return FromTable("notemark", kNote, 0, Drawn::PerSize, NoteMarkSize(large));
}

QPixmap Images::PriorityImage(int priority, bool large)
{
    return FromTable("priority", kPriorityImages, priority + 1, Drawn::Doubled, Square(PriorityImageSize(large)));
}

QPixmap Images::Skin(bool pressed, bool large)
{
    static constexpr std::array kSkins{"normal", "pressed"};
    return FromTable("skin", kSkins, pressed ? 1 : 0, Drawn::PerSize, SkinSize(large));
}

QPixmap Images::ToolbarImage(ToolbarButton which, bool large)
{
    return FromTable("toolbar", kToolbar, static_cast<int>(which), Drawn::Doubled, ToolbarImageSize(large));
}

QPixmap Images::NavImage(NavButton which, bool large)
{
    return FromTable("nav", kNav, static_cast<int>(which), Drawn::Doubled, Square(NavImageSize(large)));
}

QPixmap Images::TabImage(int mode, bool large)
{
    return FromTable("tab", kTabs, mode, Drawn::PerSize, Square(TabImageSize(large)));
}

QIcon Images::AppIcon()
{
    static const QIcon icon = BuildIcon("app");
    return icon;
}

QIcon Images::DataFileIcon()
{
    static const QIcon icon = BuildIcon("datafile");
    return icon;
}

QString Images::AppIconResource()
{
    RegisterImageResources();
    return u":/images/app/app.svg"_s;
}

QString Images::DataFileIconResource()
{
    RegisterImageResources();
    return u":/images/app/datafile.svg"_s;
}
