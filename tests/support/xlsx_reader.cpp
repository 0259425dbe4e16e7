#include "xlsx_reader.h"

#include <QProcess>
#include <QStringList>
#include <QXmlStreamReader>

QByteArray UnzipEntry(const QString& workbook, const QString& entry)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), workbook, entry});
    unzip.waitForFinished();
    return unzip.readAllStandardOutput();
}

namespace {

QStringList sharedStrings(const QString& workbook)
{
    QStringList strings;
    QXmlStreamReader xml(UnzipEntry(workbook, QStringLiteral("xl/sharedStrings.xml")));
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (xml.isStartElement() && xml.name() == u"t")
            strings << xml.readElementText();
        else if (!xml.isStartElement())
            xml.readNext();
    }
    return strings;
}

} // namespace

ReadSheet ReadFirstSheet(const QString& workbook)
{
    const QStringList shared = sharedStrings(workbook);
    ReadSheet sheet;
    QXmlStreamReader xml(UnzipEntry(workbook, QStringLiteral("xl/worksheets/sheet1.xml")));
    QString reference;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        if (xml.name() == u"c") {
            reference = a.value(QStringLiteral("r")).toString();
            sheet.cells[reference] = {a.hasAttribute(QStringLiteral("t")) ? a.value(QStringLiteral("t")).toString()
                                                                          : QStringLiteral("n"),
                                      a.value(QStringLiteral("s")).toString(), QString()};
        } else if (xml.name() == u"v" || xml.name() == u"t") {
            ReadCell& cell = sheet.cells[reference];
            cell.value = xml.readElementText();
            if (cell.type == u"s")
                cell.value = shared.value(cell.value.toInt());
        } else if (xml.name() == u"pageMargins") {
            for (const QXmlStreamAttribute& attribute : a)
                sheet.pageMargins[attribute.name().toString()] = attribute.value().toDouble();
        } else if (xml.name() == u"col") {
            for (int column = a.value(QStringLiteral("min")).toInt(); column <= a.value(QStringLiteral("max")).toInt();
                 ++column)
                sheet.columnWidths[column] = a.value(QStringLiteral("width")).toDouble();
        }
    }
    return sheet;
}
