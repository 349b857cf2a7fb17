#include "sim/LegacyModule.h"
#include "common/Srec.h"

namespace {
// "<N records...>" for the transcript (built by appending: GCC 12 warns
// falsely about a literal added in front of a temporary at -O3).
std::string RecordsNote(size_t nRecords, const char* pszTail) {
    std::string strNote = "<";
    strNote.append(std::to_string(nRecords)).append(pszTail);
    return strNote;
}
} // namespace

void CLegacyModule::MergeMenu() {
    for (;;) {
        m_term.Step("merge");
        m_term.Print("\r\n----- MERGE FILE MENU -----\r\n"
                     "  u  Upload merge file\r\n"
                     "  r  Return to main menu\r\n"
                     "\r\nEnter selection: ");
        std::string strLine = *m_term.ReadLine({});
        m_term.Record(strLine);
        char c = MenuChoice(strLine);
        if (c == 'u') {
            ReceiveMergeFile();
        } else if (c == 'r') {
            return;
        } else if (c != 0) {
            m_term.Print("\r\nUnknown choice\r\n");
        }
    }
}

// Each record arrives as its text and a carriage return; an empty line ends
// the input. A bad record is answered with "FAILURE"; the rest of the upload
// is then let pass until a line that is not a record brings the menu back.
void CLegacyModule::ReceiveMergeFile() {
    m_term.Step("upload");
    m_term.Print("\r\nS Record input..\r\n");
    m_evidence.StartMerge();
    size_t nRecords = 0;
    bool bFailed = false;
    for (;;) {
        std::string strLine = *m_term.ReadLine({.bEcho = false, .bEchoLineEnd = false});
        if (MenuChoice(strLine) == 0) {
            break;
        }
        if (bFailed) {
            if (strLine[0] == 'S') {
                continue;
            }
            m_term.Record(strLine);
            return;
        }
        ++nRecords;
        m_evidence.AddMergeLine(strLine);
        SrecRecord record;
        bool bInjected =
            m_options.bMergeFailure && nRecords == static_cast<size_t>(m_options.nMergeFailureLine);
        if (bInjected || ParseSrec(strLine, record) != SrecParse::Record) {
            m_term.Record(RecordsNote(nRecords, " records, the last one bad>"));
            m_term.Step("failure");
            m_term.Print("\r\nFAILURE: bad S-record at line " + std::to_string(nRecords) + "\r\n");
            bFailed = true;
        }
    }
    if (bFailed) {
        m_term.Record("");
        return;
    }
    m_term.Record(RecordsNote(nRecords, " records>"));
    WriteMergeToFlash(nRecords);
}

bool CLegacyModule::WriteMergeToFlash(size_t nRecords) {
    m_term.Step("flash");
    m_term.Print("\r\nWriting FLASH, please wait...\r\n");
    m_term.Pause(m_options.dFlashWriteSeconds);
    m_term.FlushInput(); // whatever was typed meanwhile is lost
    if (m_options.bFlashWriteFailure) {
        m_term.Print("FLASH write error at sector 3\r\nFAILURE\r\n");
        return false;
    }
    m_term.Print("FLASH write complete, " + std::to_string(nRecords) + " records\r\n");
    m_evidence.SetMergeWritten();
    m_bAppPresent = true;
    return true;
}
