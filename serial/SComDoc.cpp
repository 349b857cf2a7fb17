// PLACEHOLDER until the serial line is implemented.
#include "serial/SComDoc.h"
CSComDoc::CSComDoc() = default;
CSComDoc::~CSComDoc() = default;
bool CSComDoc::CreatePortEvents() { return true; }
bool CSComDoc::Connect() { return false; }
void CSComDoc::Disconnect() {}
int CSComDoc::WriteCommByte(uint8_t) { return 0; }
int CSComDoc::WriteCommString(const char*, bool) { return 0; }
int CSComDoc::ReadCommData(uint8_t*, int32_t) { return 0; }
int CSComDoc::PollHandle() const { return -1; }
std::string CSComDoc::DevicePath(const std::string& s) { return s; }
