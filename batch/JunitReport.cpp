// The JUnit XML report, through Qt's XML writer: one test case per step.
#include "batch/ConsoleReport.h"
#include "batch/Reports.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamWriter>

namespace batch {

namespace {

// XML 1.0 takes no control characters but tab and line ends.
QString Q(const std::string& s) {
    QString text = QString::fromStdString(s);
    for (QChar& c : text)
        if (c.unicode() < 0x20 && c != '\t' && c != '\n' && c != '\r') c = QChar('?');
    return text;
}

// A failure names the limit and the value measured.
void WriteOutcome(QXmlStreamWriter& xml, const StepResult& s) {
    switch (s.verdict) {
    case Verdict::Pass:
        return;
    case Verdict::Fail: {
        const Figure* f = s.firstFailed();
        xml.writeStartElement("failure");
        xml.writeAttribute("type", Q(f->name));
        xml.writeAttribute("message", Q("limit failed: " + FigureText(*f)));
        std::string all;
        for (const Figure& g : s.figures)
            if (!g.passed) all += FigureText(g) + "\n";
        xml.writeCharacters(Q(all));
        xml.writeEndElement();
        return;
    }
    case Verdict::Error:
    case Verdict::Aborted:
        xml.writeStartElement("error");
        xml.writeAttribute("type", s.verdict == Verdict::Error ? "library-error" : "aborted");
        xml.writeAttribute("message", Q(s.problem));
        xml.writeEndElement();
        return;
    case Verdict::NotRun:
        break;
    }
    xml.writeStartElement("skipped");
    xml.writeAttribute("message", "not run");
    xml.writeEndElement();
}

} // namespace

std::string JunitReport(const RunReport& r) {
    int failures = 0, errors = 0, skipped = 0;
    double seconds = 0;
    for (const StepResult& s : r.results) {
        failures += s.verdict == Verdict::Fail;
        errors += s.verdict == Verdict::Error || s.verdict == Verdict::Aborted;
        skipped += s.verdict == Verdict::NotRun;
        seconds += s.seconds;
    }
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement("testsuites");
    xml.writeStartElement("testsuite");
    xml.writeAttribute("name", Q(r.planName));
    xml.writeAttribute("tests", QString::number(r.results.size()));
    xml.writeAttribute("failures", QString::number(failures));
    xml.writeAttribute("errors", QString::number(errors));
    xml.writeAttribute("skipped", QString::number(skipped));
    xml.writeAttribute("time", QString::number(seconds, 'f', 3));
    xml.writeAttribute("timestamp", Q(r.started));
    xml.writeStartElement("properties");
    for (const auto& [name, value] : {std::pair<const char*, std::string>{"board", r.board.serial},
                                      {"outcome", OutcomeText(r.outcome)}}) {
        xml.writeStartElement("property");
        xml.writeAttribute("name", name);
        xml.writeAttribute("value", Q(value));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    for (const StepResult& s : r.results) {
        xml.writeStartElement("testcase");
        xml.writeAttribute("name", Q(s.name));
        xml.writeAttribute("classname", Q(std::string("kestrel.") + KindWord(s.kind)));
        xml.writeAttribute("time", QString::number(s.seconds, 'f', 3));
        WriteOutcome(xml, s);
        if (!s.infoText.empty()) xml.writeTextElement("system-out", Q(s.infoText));
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return out.toStdString();
}

} // namespace batch
