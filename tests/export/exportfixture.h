#pragma once

#include "recordingfeedback.h"
#include "testsurface.h"
#include "texelfont.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A two-glyph document on the deterministic surface whose ZGF bytes were worked out by
// hand: "a" has a 2 x 3 box at (1, 1) and advance 4, "b" a 1 x 3 box at (0, 2) and
// advance 3, line height 6, space 2; cells widened by 2 columns and 1 row.
class ExportFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (TestSurface *s : {&measure, &work}) {
            s->setGlyph(QLatin1Char('a'), TestSurface::Glyph{4, 1, 1, 2, 3});
            s->setGlyph(QLatin1Char('b'), TestSurface::Glyph{3, 0, 2, 1, 3});
        }
        font.setChars(QStringLiteral("ab"));
        font.CharWidthInc = 2;
        font.CharHeightInc = 1;
        ASSERT_TRUE(dir.isValid());
    }

    QString path(const char *name) const { return dir.filePath(QString::fromLatin1(name)); }

    static QByteArray readAll(const QString &fileName)
    {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void writeFile(const QString &fileName, const QByteArray &bytes)
    {
        QFile file(fileName);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    TestSurface measure{6, 2};
    TestSurface work{6, 2};
    TexelFont font{&measure};
    RecordingFeedback feedback;
    QTemporaryDir dir;
};
