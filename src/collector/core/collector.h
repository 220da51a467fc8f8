#pragma once

#include "core/line_parser.h"
#include "core/record_writer.h"

#include <QString>

#include <deque>
#include <utility>

class IniFile;

// Where the collector shows what it does: the window's last-calls list, or
// standard output when it runs without a window.
class CollectorView {
public:
    virtual ~CollectorView() = default;
    // One defect of a record, or a problem with the record files.
    virtual void ShowLineError(const QString& text) = 0;
    // The displayed text of a good record that was written.
    virtual void ShowRecord(const QString& text) = 0;
};

// Received PBX text in, record files out: assembles lines, parses them by the
// PBX type, files good and bad records and tells the view.
class CallRecordCollector {
public:
    enum Kind { DataPacket = RecordWriter::DataPacket, Discarded = RecordWriter::Discarded };

    CallRecordCollector(const QString& folder, CollectorView& view, RecordWriter::Options options = {});

    LineParser& parser() { return m_parser; }
    const LineParser& parser() const { return m_parser; }
    RecordWriter& writer() { return m_writer; }

    void setPbxType(const PbxType& type) { m_parser.setPbxType(type); }
    // Loads the configured layout of section "KIND999" and its line end.
    void IniLoad(const IniFile& ini);

    // Opens the working files; a failure is reported and the records wait.
    void open();

    // Processes at most one complete line: the received text is joined to
    // what is pending, and the first complete line is parsed and filed.
    void ProcessReceived(int kind, const QString& text);

    // Processes the complete lines that are still pending, one by one.
    void processPendingLines();

    // Tries again to write the records that wait for the disk.
    void retryWaiting();

    // At program end: pending lines are processed, text that never got a line
    // end goes to the error log, and the working files are closed into their
    // dated files. False when some record could not be written.
    bool close();

private:
    void process(int kind, const QString& text);
    void fileRecord(int kind, const ParsedLine& parsed);
    void afterWrite(const FileResult& result);

    LineParser m_parser;
    RecordWriter m_writer;
    CollectorView& m_view;
    bool m_busy = false;
    bool m_writeFailing = false;
    std::deque<std::pair<int, QString>> m_input;
};
