#include "UrlRecorder.h"

#include <QDesktopServices>

namespace {
const char* const kSchemes[] = {"http", "https", "mailto"};
}

UrlRecorder::UrlRecorder() {
  for (const char* scheme : kSchemes) QDesktopServices::setUrlHandler(scheme, this, "Open");
}

UrlRecorder::~UrlRecorder() {
  for (const char* scheme : kSchemes) QDesktopServices::unsetUrlHandler(scheme);
}

void UrlRecorder::Open(const QUrl& url) { opened.append(url.toString()); }
