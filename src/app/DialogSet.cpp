// TDialogSet: making the dialogs on first use, the administrator routing, and ending them.
#include "DialogSet.h"

#include "AliasDialog.h"
#include "ConstantsDialog.h"
#include "CoordsDialog.h"
#include "DataMarksDialog.h"
#include "DataSaveDialog.h"
#include "DeleteDialog.h"
#include "DialogSupport.h"
#include "EnvironmentDialog.h"
#include "FamiliesDialog.h"
#include "FormulaeDialog.h"
#include "FunctionsDialog.h"
#include "HelpWindow.h"
#include "MatrixDialog.h"
#include "PasswordDialog.h"
#include "PrintForm.h"
#include "RegressionDialog.h"
#include "SetPasswordDialog.h"
#include "StatisticsDialog.h"
#include "ToolbarConfigDialog.h"
#include "ToolbarSet.h"
#include "TransformDialog.h"

namespace kurvo {

template <class D, class... A> D* TDialogSet::made(QPointer<D>& dialog, A&&... args) {
    if (!dialog) dialog = new D(std::forward<A>(args)..., &window_);
    return dialog;
}

TDialogSet::~TDialogSet() {
    // The environment dialog refers to the data-marks palette: it goes first.
    delete environment_;
    for (QWidget* w : std::initializer_list<QWidget*>{
             transform_, matrix_, statistics_, regression_, constants_, families_, functions_, formulae_, coords_,
             deletion_, dataMarks_, password_, setPassword_, alias_, toolbarConfig_, dataSave_, printForm_, help_})
        delete w;
}

Tftrans* TDialogSet::transform() { return made(transform_, host_); }
Tfmatrix* TDialogSet::matrix() { return made(matrix_, host_); }
Tfstatistics* TDialogSet::statistics() { return made(statistics_, host_); }
Tfregression* TDialogSet::regression() { return made(regression_, host_); }
Tfconstant* TDialogSet::constants() { return made(constants_, host_); }
Tffamilies* TDialogSet::families() { return made(families_, host_); }
Tffunctions* TDialogSet::functions() { return made(functions_, host_); }
Tfformulae* TDialogSet::formulae() { return made(formulae_, host_); }
Tfcoords* TDialogSet::coords() { return made(coords_, host_); }
Tfdelete* TDialogSet::deletion() { return made(deletion_, host_); }
TDataMks* TDialogSet::dataMarks() { return made(dataMarks_, host_); }
TEnvironment* TDialogSet::environment() { return made(environment_, host_, *dataMarks()); }
Tfsetpass* TDialogSet::setPassword() { return made(setPassword_, host_); }
Tfalias* TDialogSet::alias() { return made(alias_, host_); }
TDataSaveDialog* TDialogSet::dataSave() { return made(dataSave_, host_); }
Tfformulae* TDialogSet::formulaeIfMade() const { return formulae_; }

THelpWindow* TDialogSet::help() {
    if (!help_) help_ = new THelpWindow(&window_);
    return help_;
}

Tfpass* TDialogSet::password() {
    return made(password_, host_, [this] { openAdminTarget(); });
}

Ttoolbar_cnfg* TDialogSet::toolbarConfig() {
    if (toolbarConfig_) return toolbarConfig_;
    QStringList captions;
    for (const TToolbarItem& it : toolbarItems())
        captions << QString::fromUtf8(it.caption);
    return made(toolbarConfig_, host_, captions);
}

TPrintForm* TDialogSet::printForm() {
    if (!printForm_) printForm_ = new TPrintForm([this] { help()->showPage("output.html#print"); }, &window_);
    return printForm_;
}

void TDialogSet::askPasswordFor(AdminTarget target) {
    adminTarget_ = target;
    password()->ask();
}

void TDialogSet::openAdminTarget() {
    // Only the prompt calls this, after a right password: it is the one way to the two features.
    if (adminTarget_ == AdminTarget::FunctionAliases)
        presentDialog(alias());
    else
        presentDialog(toolbarConfig());
}

} // namespace kurvo
