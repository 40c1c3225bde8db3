#include "caldav/davxml.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace mv::caldav {

QString clark(const char* ns, const char* name) {
    return u'{' + QString::fromLatin1(ns) + u'}' + QString::fromLatin1(name);
}

namespace {

QString clarkOf(const QXmlStreamReader& xml) {
    return u'{' + xml.namespaceUri().toString() + u'}' + xml.name().toString();
}

bool isDav(const QXmlStreamReader& xml, QStringView name) {
    return xml.namespaceUri() == QLatin1String(kDav) && xml.name() == name;
}

int statusCode(const QString& statusLine) {
    // "HTTP/1.1 200 OK"
    const QStringList parts = statusLine.simplified().split(u' ');
    return parts.size() >= 2 ? parts[1].toInt() : 0;
}

// Reads one property element; the reader stands on its start element.
DavProp readProp(QXmlStreamReader& xml) {
    DavProp p;
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            if (depth == 1)
                p.children.append(clarkOf(xml));
            ++depth;
            if (xml.namespaceUri() == QLatin1String(kCalDav) && xml.name() == u"comp")
                p.components.append(xml.attributes().value(QStringLiteral("name")).toString());
            if (isDav(xml, u"href")) {
                const QString href = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                p.hrefs.append(href.trimmed());
                p.text += href;
                --depth;
            }
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        case QXmlStreamReader::Characters:
            p.text += xml.text();
            break;
        default:
            break;
        }
    }
    return p;
}

} // namespace

Result<QList<DavResponse>> parseMultistatus(const QByteArray& body) {
    QXmlStreamReader xml(body);
    QList<DavResponse> out;
    bool sawMultistatus = false;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (isDav(xml, u"multistatus")) {
            sawMultistatus = true;
            continue;
        }
        if (!sawMultistatus || !isDav(xml, u"response"))
            continue;
        DavResponse r;
        while (xml.readNextStartElement()) {
            if (isDav(xml, u"href")) {
                r.href = xml.readElementText().trimmed();
            } else if (isDav(xml, u"status")) {
                r.status = statusCode(xml.readElementText());
            } else if (isDav(xml, u"propstat")) {
                QHash<QString, DavProp> props;
                int status = 0;
                while (xml.readNextStartElement()) {
                    if (isDav(xml, u"prop")) {
                        while (xml.readNextStartElement()) {
                            const QString key = clarkOf(xml);
                            props.insert(key, readProp(xml));
                        }
                    } else if (isDav(xml, u"status")) {
                        status = statusCode(xml.readElementText());
                    } else {
                        xml.skipCurrentElement();
                    }
                }
                if (status / 100 == 2)
                    r.props.insert(props);
            } else {
                xml.skipCurrentElement();
            }
        }
        out.append(r);
    }
    if (xml.hasError())
        return fail(QStringLiteral("XML: ") + xml.errorString());
    if (!sawMultistatus)
        return fail(QStringLiteral("XML: keine multistatus-Antwort"));
    return out;
}

QByteArray propfindBody(const QList<QPair<const char*, const char*>>& props) {
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument();
    w.writeNamespace(QString::fromLatin1(kDav), QStringLiteral("d"));
    w.writeNamespace(QString::fromLatin1(kCalDav), QStringLiteral("c"));
    w.writeStartElement(QString::fromLatin1(kDav), QStringLiteral("propfind"));
    w.writeStartElement(QString::fromLatin1(kDav), QStringLiteral("prop"));
    for (const auto& [ns, name] : props)
        w.writeEmptyElement(QString::fromLatin1(ns), QString::fromLatin1(name));
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

QByteArray calendarQueryBody(const QString& start, const QString& end, const QString& markName,
                             const QString& markValue) {
    const QString dav = QString::fromLatin1(kDav);
    const QString cal = QString::fromLatin1(kCalDav);
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.writeStartDocument();
    w.writeNamespace(dav, QStringLiteral("d"));
    w.writeNamespace(cal, QStringLiteral("c"));
    w.writeStartElement(cal, QStringLiteral("calendar-query"));
    w.writeStartElement(dav, QStringLiteral("prop"));
    w.writeEmptyElement(dav, QStringLiteral("getetag"));
    w.writeEmptyElement(cal, QStringLiteral("calendar-data"));
    w.writeEndElement();
    w.writeStartElement(cal, QStringLiteral("filter"));
    w.writeStartElement(cal, QStringLiteral("comp-filter"));
    w.writeAttribute(QStringLiteral("name"), QStringLiteral("VCALENDAR"));
    w.writeStartElement(cal, QStringLiteral("comp-filter"));
    w.writeAttribute(QStringLiteral("name"), QStringLiteral("VEVENT"));
    w.writeEmptyElement(cal, QStringLiteral("time-range"));
    w.writeAttribute(QStringLiteral("start"), start);
    w.writeAttribute(QStringLiteral("end"), end);
    if (!markName.isEmpty()) {
        w.writeStartElement(cal, QStringLiteral("prop-filter"));
        w.writeAttribute(QStringLiteral("name"), markName);
        w.writeStartElement(cal, QStringLiteral("text-match"));
        w.writeAttribute(QStringLiteral("collation"), QStringLiteral("i;octet"));
        w.writeCharacters(markValue);
        w.writeEndElement();
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

} // namespace mv::caldav
