#include "desktopcursor.h"

#ifdef DUREDIR_TEST_XFIXES
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#endif

QString shownCursor(const QString& display)
{
#ifdef DUREDIR_TEST_XFIXES
    Display* d = XOpenDisplay(display.toLocal8Bit().constData());
    if (!d)
        return QString();
    QString out;
    if (XFixesCursorImage* c = XFixesGetCursorImage(d)) {
        quint64 hash = 0;
        for (int i = 0; i < int(c->width) * int(c->height); ++i)
            hash = hash * 31 + quint64(c->pixels[i]);
        out = QStringLiteral("%1x%2 %3 %4")
                  .arg(c->width)
                  .arg(c->height)
                  .arg(QString::fromLatin1(c->name ? c->name : ""))
                  .arg(hash, 0, 16);
        XFree(c);
    }
    XCloseDisplay(d);
    return out;
#else
    Q_UNUSED(display);
    return QString();
#endif
}
