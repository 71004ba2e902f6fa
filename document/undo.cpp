// Snapshot undo and redo of the whole project, ten steps each way.
#include <cassert>
#include <new>

#include "document/tessel_doc.h"

namespace tintara {

namespace {

// Slot 0 receives `entry`; the oldest entry falls off the end.
template <typename T>
void PushFront(std::array<T, kStackDepth>& stack, T entry) {
  for (int i = kStackDepth - 1; i > 0; --i) stack[i] = std::move(stack[i - 1]);
  stack[0] = std::move(entry);
}

// Removes and returns slot 0; the rest move up and the last slot empties.
template <typename T>
T PopFront(std::array<T, kStackDepth>& stack) {
  T entry = std::move(stack[0]);
  for (int i = 0; i < kStackDepth - 1; ++i) stack[i] = std::move(stack[i + 1]);
  stack[kStackDepth - 1] = T{};
  return entry;
}

}  // namespace

SnapshotPtr MakeSnapshot(const CTessel20Doc& doc) {
  SnapshotPtr snapshot;
  try {
    snapshot = std::make_unique<DocumentSnapshot>();
    snapshot->params = doc.params;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  // Copies share pixels until one side writes; a copy that cannot be made stays absent.
  snapshot->initialPicture = CopyOrNull(doc.initialPicture);
  if (doc.convertedPicture) {
    snapshot->convertedPicture = CopyOrNull(doc.convertedPicture);
    snapshot->patternImage = CopyOrNull(doc.patternImage);
    snapshot->indexImage = CopyOrNull(doc.indexImage);
  }
  snapshot->viewMode = doc.viewMode;
  snapshot->patternEditedByHand = doc.patternEditedByHand;
  snapshot->pictureOrigin = doc.pictureOrigin;
  return snapshot;
}

// The snapshot is spent: its images, which nothing else holds, move in.
void CTessel20Doc::TakeSnapshotState(DocumentSnapshot& snapshot) {
  initialPicture = std::move(snapshot.initialPicture);
  if (snapshot.convertedPicture) {
    convertedPicture = std::move(snapshot.convertedPicture);
    patternImage = std::move(snapshot.patternImage);
    indexImage = std::move(snapshot.indexImage);
  } else {
    convertedPicture = nullptr;
    patternImage = nullptr;
    indexImage = nullptr;
  }
  viewMode = snapshot.viewMode;
  params.AssignFrom(snapshot.params);
  pictureOrigin = snapshot.pictureOrigin;
  patternEditedByHand = snapshot.patternEditedByHand;
}

void CTessel20Doc::PushUndoSnapshot() {
  modified = true;
  for (SnapshotPtr& redo : redoSnapshots) redo.reset();
  PushFront(undoSnapshots, MakeSnapshot(*this));
}

void CTessel20Doc::RollBackToLastSnapshot() {
  if (!undoSnapshots[0]) return;
  SnapshotPtr last = PopFront(undoSnapshots);
  TakeSnapshotState(*last);
  CheckInvariants();
}

bool CTessel20Doc::CanUndo() const { return undoSnapshots[0] != nullptr; }
bool CTessel20Doc::CanRedo() const { return redoSnapshots[0] != nullptr; }

// Undo and Redo change the project as much as the commands they reverse: the
// project then differs from its file, and closing must offer to save it.
void CTessel20Doc::Undo() {
  if (!CanUndo()) return;
  modified = true;
  PushFront(redoSnapshots, MakeSnapshot(*this));
  SnapshotPtr last = PopFront(undoSnapshots);
  TakeSnapshotState(*last);
  CheckInvariants();
}

void CTessel20Doc::Redo() {
  if (!CanRedo()) return;
  modified = true;
  PushFront(undoSnapshots, MakeSnapshot(*this));
  SnapshotPtr next = PopFront(redoSnapshots);
  TakeSnapshotState(*next);
  CheckInvariants();
}

void CTessel20Doc::ClearSnapshotStacks() {
  for (SnapshotPtr& s : undoSnapshots) s.reset();
  for (SnapshotPtr& s : redoSnapshots) s.reset();
}

void CTessel20Doc::PushPictureUndo() {
  for (ImageRef& redo : pictureRedo) redo.reset();
  PushFront(pictureUndo, CopyOrNull(workingPicture));
}

void CTessel20Doc::ClearPictureStacks() {
  for (ImageRef& image : pictureUndo) image.reset();
  for (ImageRef& image : pictureRedo) image.reset();
}

void CTessel20Doc::PictureUndo() {
  if (!pictureUndo[0]) return;
  PushFront(pictureRedo, CopyOrNull(workingPicture));
  workingPicture = PopFront(pictureUndo);
}

void CTessel20Doc::PictureRedo() {
  if (!pictureRedo[0]) return;
  PushFront(pictureUndo, CopyOrNull(workingPicture));
  workingPicture = PopFront(pictureRedo);
}

}  // namespace tintara
