#include "kit/yuscii.h"

namespace kit {

QString yusciiToUnicode(const QString& text)
{
    QString out = text;
    for (QChar& c : out) {
        switch (c.unicode()) {
        case '@':
            c = QChar(0x017D);
            break; // Ž
        case '[':
            c = QChar(0x0160);
            break; // Š
        case '\\':
            c = QChar(0x0110);
            break; // Đ
        case ']':
            c = QChar(0x0106);
            break; // Ć
        case '^':
            c = QChar(0x010C);
            break; // Č
        case '`':
            c = QChar(0x017E);
            break; // ž
        case '{':
            c = QChar(0x0161);
            break; // š
        case '|':
            c = QChar(0x0111);
            break; // đ
        case '}':
            c = QChar(0x0107);
            break; // ć
        case '~':
            c = QChar(0x010D);
            break; // č
        default:
            break;
        }
    }
    return out;
}

} // namespace kit
