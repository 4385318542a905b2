#include "app/EditHistory.h"

void TEditHistory::Clear() {
  FSteps.clear();
  FApplied = 0;
  FSaved = 0;
}

void TEditHistory::Add(ItemChange change) {
  FSteps.resize(FApplied);
  if (FSaved && *FSaved > FApplied) FSaved.reset(); // the saved state was undone: gone
  FSteps.push_back(std::move(change));
  ++FApplied;
  if (FSteps.size() > kMaxSteps) {
    FSteps.erase(FSteps.begin());
    --FApplied;
    if (FSaved) FSaved = *FSaved == 0 ? std::nullopt : std::optional<std::size_t>(*FSaved - 1);
  }
}

const ItemChange* TEditHistory::ToUndo() const { return FApplied > 0 ? &FSteps[FApplied - 1] : nullptr; }

const ItemChange* TEditHistory::ToRedo() const {
  return FApplied < FSteps.size() ? &FSteps[FApplied] : nullptr;
}

void TEditHistory::Undone() {
  if (FApplied > 0) --FApplied;
}

void TEditHistory::Redone() {
  if (FApplied < FSteps.size()) ++FApplied;
}

void TEditHistory::MarkSaved() { FSaved = FApplied; }

void TEditHistory::ForgetSaved() { FSaved.reset(); }
