#include "twips.h"

#include <QApplication>

namespace gravlin::ui {

QColor toQColor(Color c) {
    if (isSystemColor(c)) {
        const QPalette pal = QApplication::palette();
        switch (c & 0xFFu) {
            case 0x05:
                return pal.color(QPalette::Base);  // window background
            case 0x08:
                return pal.color(QPalette::Text);  // window text
            case 0x0F:
                return pal.color(QPalette::Button);  // button face
            case 0x12:
                return pal.color(QPalette::ButtonText);  // button text
            case 0x10:
                return pal.color(QPalette::Dark);  // button shadow
            case 0x14:
                return pal.color(QPalette::Light);  // button highlight
            default:
                return pal.color(QPalette::Window);
        }
    }
    return QColor(static_cast<int>(c & 0xFFu), static_cast<int>((c >> 8) & 0xFFu),
                  static_cast<int>((c >> 16) & 0xFFu));
}

QFont toQFont(const Font& f) {
    QFont font(QString::fromStdString(f.name));
    const bool fixedPitch = f.name.find("Courier") != std::string::npos;
    font.setStyleHint(fixedPitch ? QFont::TypeWriter : QFont::SansSerif);
    font.setFixedPitch(fixedPitch);
    font.setPointSizeF(f.size);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setStrikeOut(f.strikethrough);
    font.setUnderline(f.underline);
    return font;
}

QString plainLines(const std::string& crlfText) {
    QString text = QString::fromStdString(crlfText);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// The classic mid-grey face on which raised and flat cells read clearly.
QPalette classicPalette() {
    QPalette p;
    const QColor face(0xC0, 0xC0, 0xC0);
    p.setColor(QPalette::Window, face);
    p.setColor(QPalette::Button, face);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, QColor(0xE8, 0xE8, 0xE8));
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Text, Qt::black);
    p.setColor(QPalette::ButtonText, Qt::black);
    p.setColor(QPalette::Light, Qt::white);
    p.setColor(QPalette::Midlight, QColor(0xDF, 0xDF, 0xDF));
    p.setColor(QPalette::Mid, QColor(0xA0, 0xA0, 0xA0));
    p.setColor(QPalette::Dark, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Highlight, QColor(0x00, 0x00, 0x80));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    p.setColor(QPalette::ToolTipText, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    return p;
}

}  // namespace gravlin::ui
