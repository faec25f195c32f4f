#pragma once
// The rows of the device list: an image index and five texts each (name,
// model, IP address, subnet mask, MAC address). Every row operation costs
// the same however long the list is: rows are appended or replaced in place
// with their own notifications, never by resetting the whole model.
#include <corvane/CorvaneTypes.h>

#include <QAbstractTableModel>
#include <QIcon>
#include <QString>

#include <array>
#include <vector>

class CDeviceListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumnCount = 5;

  struct Row {
    DWORD dwImage = 0;
    std::array<QString, kColumnCount> texts;
    // A warning about the printer (outside this computer's subnets): its
    // image shows the warning sign and every cell's tooltip the text. The
    // row's texts stay as they are.
    QString strWarning;
  };

  explicit CDeviceListModel(QObject* pParent = nullptr);

  // Headers of the five columns.
  void SetHeaders(const std::array<QString, kColumnCount>& headers);
  // Image i of the image lists (an index beyond them shows no image).
  void SetImages(std::vector<QIcon> images);
  // The same images with the warning sign, for rows with a warning.
  void SetWarnedImages(std::vector<QIcon> images);

  // Removes every row.
  void Clear();
  void AppendRow(Row row);
  // Replaces the row at nIndex; false when there is none.
  bool ReplaceRow(int nIndex, Row row);
  const Row* GetRow(int nIndex) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int nRole) const override;
  QVariant headerData(int nSection, Qt::Orientation orientation, int nRole) const override;

 private:
  std::vector<Row> m_Rows;
  std::array<QString, kColumnCount> m_Headers;
  std::vector<QIcon> m_Images;
  std::vector<QIcon> m_WarnedImages;
};
