#include "window/packet_bar.h"

#include <QLabel>
#include <QSignalBlocker>

#include "simulation/model_units.h"
#include "text/number_texts.h"
#include "window/ui_text.h"

namespace switchsim {

PacketBar::PacketBar(Classroom& classroom, const Simulation& simulation, QWidget* parent)
    : QToolBar(Ui("Packet and Header"), parent), classroom_(classroom),
      simulation_(simulation) {
  setObjectName(QStringLiteral("packetBar"));
  packet = AddSize(Ui("&Packet"), kFewestPacketBlocks, kMostPacketBlocks,
                   Ui("Blocks of the message each packet carries, from the next Start"),
                   false);
  addSeparator();
  header = AddSize(Ui("&Header"), 0, kMostHeaderBlocks,
                   Ui("Header blocks added to every packet and to a message, from the "
                                  "next Start"),
                   true);
  ShowSizes();
}

QSpinBox* PacketBar::AddSize(const QString& label, int least, int most, const QString& tip,
                             bool is_header) {
  auto* caption = new QLabel(label, this);
  auto* box = new QSpinBox(this);
  box->setRange(least, most);
  box->setToolTip(tip);
  box->setStatusTip(tip);
  box->setAccessibleName(is_header ? Ui("Header size") : Ui("Packet size"));
  box->setAccessibleDescription(tip);
  caption->setBuddy(box);
  addWidget(caption);
  addWidget(box);
  connect(box, &QSpinBox::valueChanged, this, [this, box, is_header](int blocks) {
    ShowUnit(box);
    classroom_.ChoosePacketing(is_header, std::to_string(blocks));
    emit Chosen();
  });
  return box;
}

void PacketBar::ShowSizes() {
  const Packeting& sizes = simulation_.packeting();
  const QSignalBlocker packet_blocker(packet);
  const QSignalBlocker header_blocker(header);
  packet->setValue(sizes.packet_blocks);
  header->setValue(sizes.header_blocks);
  ShowUnit(packet);
  ShowUnit(header);
}

void PacketBar::ShowUnit(QSpinBox* box) {
  // " block" after 1, " blocks" after any other number, as every count of blocks is said.
  const int blocks = box->value();
  box->setSuffix(QString::fromStdString(BlocksCount(blocks).substr(std::to_string(blocks).size())));
}

}  // namespace switchsim
