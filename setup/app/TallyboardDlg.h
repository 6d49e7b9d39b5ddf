#pragma once

#include "ConnectionFile.h"
#include "DataExchange.h"
#include "ListItems.h"
#include "Polelink.h"

#include <array>
#include <string>

// The product selection window (dialog 102): the display model, the port and
// the baud rate. It hands them to the main window and to the serial library
// only through the connection file, and stays open, hidden while a main
// window runs, until the program ends. Its window shows the icon and the
// preview, runs the main window after OK and ends on Cancel.
class CTallyboardDlg : public CDataExchangeForm
{
public:
    static constexpr int kModelList = 1001;
    static constexpr int kComRadio = 1002; // first of the connection group
    static constexpr int kUsbRadio = 1003; // hidden and disabled
    static constexpr int kPortList = 1005;
    static constexpr int kBaudList = 1006;
    static constexpr int kPortLabel = 1026;
    static constexpr int kBaudLabel = 1027;
    static constexpr int kPreview = 1041;
    static constexpr int kAppIcon = 128;
    // The preview of each entry of kModels.
    static constexpr std::array kPreviewBitmaps{161, 162, 163};

    CTallyboardDlg(CControlAccess& controls, CUserInterface& ui, CPolelink& polelink,
                   std::string strConnectionPath = kConnectionFilePath);

    void OnInitDialog();
    // A new model chosen in the list.
    void OnSelChangeModel();
    // The radio button "COM".
    void OnCom();
    // Stores the choice for the main window the window then runs.
    void OnOK();

    int m_nPortIndex = -1; // list 1005, -1 for no selection
    int m_nBaudIndex = -1; // list 1006
    int m_nPreview = 0;    // the bitmap the preview shows

protected:
    void DoDataExchange(CDataExchange& dx) override;

private:
    // The connection as the lists show it.
    CConnectionSettings ChosenConnection();

    CPolelink& m_polelink;
    CConnectionFile m_connectionFile;
};

inline constexpr std::array kPortItems{"COM1", "COM2", "COM3", "COM4", "COM5", "COM6"};
inline constexpr std::array kConnectionBaudRates{1200, 2400, 4800, 9600, 19200, 38400};

// The baud list's index for a stored rate: any rate the list lacks shows as
// its last entry, 38400.
int BaudIndexOfRate(int nBaudRate);
// The rate stored for a baud list index: any index but 0 to 4, none
// included, stores 38400.
int RateOfBaudIndex(int nIndex);

inline constexpr const char* kMsgConnectionNotSaved =
    "The connection settings could not be saved; the main window uses ";

// What the main window reads when the file refused the choice: the values
// the file holds, or the defaults when it cannot be read (a folder).
std::string ConnectionInUseText(const CConnectionSettings& settings);
