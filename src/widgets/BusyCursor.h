#pragma once

// Shows the wait cursor over the program while a statement, a lookup or an export runs.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();

    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
