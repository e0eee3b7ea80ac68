#pragma once

#include "char.h"
#include "codepage.h"
#include "fontsheetpainter.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QString>

class SurfaceView;
class TexelFont;
struct GlyphMeasurement;

// What the font sheet tells about its glyphs. After each redraw it frames the characters
// the font itself lacks (solid) and those without a code in its code page (dashed, inside),
// and answers tooltips over the sheet: the facts of the glyph under the pointer (its
// character and codes, and the measurements the export writes), then the lists of framed
// characters. It keeps what the redraw laid out, so hovering never measures or renders.
class FontSheetGuide : public QObject
{
    Q_OBJECT

public:
    static constexpr QRgb MissingColor = 0xD32F2F;
    static constexpr QRgb UnencodableColor = 0x1E5BD6;

    // Watches the sheet's tooltip events; the view must outlive the guide.
    explicit FontSheetGuide(SurfaceView *sheet);

    // Takes what a redraw laid out, shown at zoom, with the document's measurement (its
    // glyphs and missing characters) and lists.
    void update(const TexelFont &font, const GlyphMeasurement &measured, const FontSheetPainter::Layout &layout,
                int zoom = 1);
    // Forgets everything (the sheet shows a failure instead of glyphs).
    void clear();

    const QString &missing() const { return mMissing; }
    const QString &unencodable() const { return mUnencodable; }

    // The tooltip over x, in screen pixels from the sheet's left edge: the glyph's facts,
    // when a glyph is there, then the lists; empty when there is nothing to tell.
    QString toolTipAt(int x) const;
    // The two lists of framed characters, one line each; empty when there are none.
    QString summary() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString glyphFacts(qsizetype index) const;
    qsizetype glyphAt(int x) const;
    void showFrames() const;

    SurfaceView *mSheet;
    FontSheetPainter::Layout mLayout;
    int mZoom = 1;
    QStringList mLine;
    QList<Char> mGlyphs;
    qint16 mWidthInc = 0;
    QString mFamily;
    QString mMissing;
    QString mUnencodable;
    CodePage mCodePage = CodePage::Windows1252;
};
