#include "controls/CCmbFontSize.h"

#include "controls/ControlName.h"
#include "platform/gui/ScreenClass.h"

#include <algorithm>
#include <limits>

namespace {
constexpr int kSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20};
}

CCmbFontSize::CCmbFontSize(int controlId, QWidget* parent) : QComboBox(parent), m_controlId(controlId)
{
    setObjectName(ControlName(u"CCmbFontSize", controlId));
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    for (int size : kSizes)
        addItem(QString::number(size));
    setCurrentIndex(-1);
}

int CCmbFontSize::LeadingNumber(const QString& text)
{
    qint64 value = 0;
    int at = 0;
    while (at < text.size() && text.at(at).isSpace())
        ++at;
    bool negative = false;
    if (at < text.size() && (text.at(at) == QLatin1Char('-') || text.at(at) == QLatin1Char('+'))) {
        negative = text.at(at) == QLatin1Char('-');
        ++at;
    }
    for (; at < text.size(); ++at) {
        const QChar c = text.at(at);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        value = std::min<qint64>(value * 10 + (c.unicode() - '0'), qint64(1) << 40);
    }
    value = negative ? -value : value;
    return int(std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int CCmbFontSize::Height() const
{
    // The edit shows the selected entry's text, or what was typed over it.
    const int size = std::clamp(LeadingNumber(currentText()), kMinSize, kMaxSize);
    return ScreenClass::IsLarge() ? size * 2 : size;
}

void CCmbFontSize::SetHeight(int pixelHeight)
{
    const int size = ScreenClass::IsLarge() ? pixelHeight / 2 : pixelHeight;
    const QString text = QString::number(size);
    const int index = findText(text, Qt::MatchExactly);
    setCurrentIndex(index);
    if (index < 0)
        setEditText(text);
}
