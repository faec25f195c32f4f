#pragma once
// Takes the place of the desktop's URL handler for http, https and mailto
// while it lives, and records what would have been opened; nothing is opened.
#include <QObject>
#include <QStringList>
#include <QUrl>

class UrlRecorder : public QObject {
  Q_OBJECT

 public:
  UrlRecorder();
  ~UrlRecorder() override;

  QStringList opened;

 public slots:
  void Open(const QUrl& url);
};
