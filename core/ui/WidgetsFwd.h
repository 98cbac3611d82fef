// The widgets and layouts the windows keep as members or hand between them,
// declared without their headers (as <iosfwd> declares the streams): a
// window's header includes this, its source file the Qt headers it uses.
#pragma once

class QAction;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTableWidget;
class QToolButton;
class QVBoxLayout;
class QWidget;
