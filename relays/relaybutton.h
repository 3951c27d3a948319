#pragma once

class QPushButton;
class QWidget;

namespace tavex {

// The button of relay 1 to 8, named "btn_rele<n>", with its design caption, font and place.
QPushButton *createRelayButton(int relay, QWidget *parent);

} // namespace tavex
