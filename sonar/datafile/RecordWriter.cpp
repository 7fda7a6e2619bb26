#include "datafile/RecordWriter.h"

#include "datafile/DsxRecord.h"
#include "datafile/Ss2Record.h"
#include "datafile/XtfWriter.h"

std::vector<std::uint8_t> RecordWriter::fileStart(SourceKind kind, std::string_view path,
                                                  int samplesTotal) {
    if (kind != SourceKind::Xtf) {
        return {};
    }
    const XtfWriter::FileHeader header = XtfWriter::fileHeader(path, samplesTotal);
    return {header.begin(), header.end()};
}

bool RecordWriter::appendPing(SourceKind kind, const PingRecord& rec,
                              std::vector<std::uint8_t>& out) {
    const int samplesTotal = rec.ping.samplesTotal();
    std::size_t size = 0;
    switch (kind) {
        case SourceKind::Dsx:
            size = DsxRecord::encodedSize(samplesTotal);
            break;
        case SourceKind::Ss2:
            size = samplesTotal <= Ss2Record::kMaxEncodedSamples ? Ss2Record::kRecordBytes : 0;
            break;
        case SourceKind::Xtf:
            size = XtfWriter::pingSize(samplesTotal);
            break;
    }
    if (size == 0) {
        return false;
    }
    const std::size_t start = out.size();
    out.resize(start + size);
    const std::span<std::uint8_t> record = std::span(out).subspan(start);
    bool ok = false;
    switch (kind) {
        case SourceKind::Dsx:
            ok = DsxRecord::encode(rec, record);
            break;
        case SourceKind::Ss2:
            ok = Ss2Record::encode(
                rec, ss2Written_ ? Ss2Record::kBackLinkLater : Ss2Record::kBackLinkFirst, record);
            ss2Written_ = ss2Written_ || ok;
            break;
        case SourceKind::Xtf:
            ok = XtfWriter::encodePing(rec, record);
            break;
    }
    if (!ok) {
        out.resize(start);
    }
    return ok;
}
