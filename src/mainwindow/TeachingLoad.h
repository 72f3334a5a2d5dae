#pragma once

#include "Statement.h"

#include <QString>

class QComboBox;
class QTreeWidget;

// What the Enrolled column counts: the start-up counts the enrolled students of each section
// and hides sections without any; a period chosen in the combo box counts every row.
enum class LoadForm { EnrolledOnly, AllRows };

// Fills the combo box's list with the offered periods, in the order the database returns them.
// Its text stays as it was; with no offered period the list is left alone.
void peryod(QComboBox* periods);
Statement offeredPeriodsStatement();

// Refills the list with the member's sections of the period, or empties it and says so.
void LoadTeachingLoad(LoadForm form, const QString& facultyId, const QString& period,
                      QTreeWidget* list);
Statement teachingLoadStatement(LoadForm form, const QString& facultyId, const QString& period);

// The window's start-up after the identity: fills the period list, preselects the active
// period and loads its enrolled sections, or reports that no period is active.
void loadActivePeriod(const QString& facultyId, QComboBox* periods, QTreeWidget* list);
Statement activePeriodStatement();
