// TDialogSet: the window's dialogs, each created the first time it is used, all held here.
#pragma once

#include <QPointer>
#include <QWidget>

namespace kurvo {

class TEditorHost;
class TDataMks;
class TDataSaveDialog;
class TEnvironment;
class THelpWindow;
class TPrintForm;
class Tfalias;
class Tfconstant;
class Tfcoords;
class Tfdelete;
class Tffamilies;
class Tfformulae;
class Tffunctions;
class Tfmatrix;
class Tfpass;
class Tfregression;
class Tfsetpass;
class Tfstatistics;
class Tftrans;
class Ttoolbar_cnfg;

/// The one owner of the window's dialogs. Each is made on first use (as a child of the window, so
/// it stays on top of it) and kept for the session; the destructor deletes them all, so the
/// window can end them before the state they refer to. The administrator features open only
/// through the password prompt, which opens the feature asked for after a right password.
class TDialogSet {
  public:
    enum class AdminTarget { ToolbarConfiguration, FunctionAliases };

    TDialogSet(TEditorHost& host, QWidget& window) : host_(host), window_(window) {}
    ~TDialogSet();
    TDialogSet(const TDialogSet&) = delete;
    TDialogSet& operator=(const TDialogSet&) = delete;

    Tftrans* transform();
    Tfmatrix* matrix();
    Tfstatistics* statistics();
    Tfregression* regression();
    Tfconstant* constants();
    Tffamilies* families();
    Tffunctions* functions();
    Tfformulae* formulae();
    Tfcoords* coords();
    Tfdelete* deletion();
    TEnvironment* environment();
    TDataMks* dataMarks();
    Tfpass* password();
    Tfsetpass* setPassword();
    Tfalias* alias();
    Ttoolbar_cnfg* toolbarConfig();
    TDataSaveDialog* dataSave();
    THelpWindow* help();
    TPrintForm* printForm();

    /// The formulae editor when it has been made (the ² button types into its list when it has).
    Tfformulae* formulaeIfMade() const;

    /// Opens the password prompt for an administrator feature.
    void askPasswordFor(AdminTarget target);

  private:
    template <class D, class... A> D* made(QPointer<D>& dialog, A&&... args);
    void openAdminTarget();

    TEditorHost& host_;
    QWidget& window_;
    AdminTarget adminTarget_ = AdminTarget::ToolbarConfiguration;
    QPointer<Tftrans> transform_;
    QPointer<Tfmatrix> matrix_;
    QPointer<Tfstatistics> statistics_;
    QPointer<Tfregression> regression_;
    QPointer<Tfconstant> constants_;
    QPointer<Tffamilies> families_;
    QPointer<Tffunctions> functions_;
    QPointer<Tfformulae> formulae_;
    QPointer<Tfcoords> coords_;
    QPointer<Tfdelete> deletion_;
    QPointer<TEnvironment> environment_;
    QPointer<TDataMks> dataMarks_;
    QPointer<Tfpass> password_;
    QPointer<Tfsetpass> setPassword_;
    QPointer<Tfalias> alias_;
    QPointer<Ttoolbar_cnfg> toolbarConfig_;
    QPointer<TDataSaveDialog> dataSave_;
    QPointer<THelpWindow> help_;
    QPointer<TPrintForm> printForm_;
};

} // namespace kurvo
