// Answers to the installation's choice dialogs made as a user's clicks
// would make them, for runs that know their choices beforehand.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/dialog_model.h"
#include "platform/dialog_view.h"

namespace tvx {

// Selects the list's item carrying the data, as a click does; false when
// none does.
bool SelectItemByData(DialogModel& model, DialogView& view, int list, std::intptr_t data);

// Leaves the proposal dialog for the choice list when it offers one, else
// accepts the proposal (the only configuration that may be chosen then).
void LeaveProposal(DialogModel& model, DialogView& view);

// Ends the choice dialog on the configuration of that index in the script,
// opening the other types behind the list's last item when it is not among
// the first; Cancel when it is not offered at all. True when it was chosen.
bool ChooseConfigurationAt(DialogModel& model, DialogView& view, std::size_t index);

}  // namespace tvx
