-- Zelkarin development database for SQLite.
--
-- The college keeps these four tables on SQL Server, whose default collation
-- compares text without regard to letter case. Text columns here use
-- COLLATE NOCASE (ASCII letters only) to behave the same way.
--
-- Exception: TLOAD.professorid and TLOAD.periodcode keep the BINARY collation.
-- The teaching-load statements filter those two columns in a HAVING clause of a
-- grouped SELECT. SQLite moves such a HAVING term into the WHERE clause, and so
-- into a search of the index below, only when the grouped column is BINARY.
-- With NOCASE on them the statement scans all of TLOAD (seconds at college
-- scale instead of about a millisecond). Faculty IDs are digits and hyphens,
-- and the period text comes from PERIOD.sy_sem, so case does not matter there.
-- Check with EXPLAIN QUERY PLAN: the grouped statement must report
-- SEARCH TLOAD USING INDEX tload_prof_period.
--
-- Run with: sqlite3 FILE.db < data/schema-sqlite.sql
-- Every statement ends with a semicolon at the end of its line.

CREATE TABLE IF NOT EXISTS Prof_login (
    profid    TEXT COLLATE NOCASE,
    password  TEXT COLLATE NOCASE,
    lastname  TEXT COLLATE NOCASE,
    firstname TEXT COLLATE NOCASE,
    dept      TEXT COLLATE NOCASE
);

CREATE TABLE IF NOT EXISTS tbllog (
    userid TEXT COLLATE NOCASE,
    oras   TEXT COLLATE NOCASE,
    araw   TEXT COLLATE NOCASE,
    IP     TEXT COLLATE NOCASE,
    name   TEXT COLLATE NOCASE
);

CREATE TABLE IF NOT EXISTS TLOAD (
    professorid   TEXT COLLATE BINARY,
    periodcode    TEXT COLLATE BINARY,
    subject       TEXT COLLATE NOCASE,
    subjectname   TEXT COLLATE NOCASE,
    units         TEXT COLLATE NOCASE,
    schedule      TEXT COLLATE NOCASE,
    room          TEXT COLLATE NOCASE,
    ssection      TEXT COLLATE NOCASE,
    enrollstatus  TEXT COLLATE NOCASE,
    studentID     TEXT COLLATE NOCASE,
    lastname      TEXT COLLATE NOCASE,
    firstname     TEXT COLLATE NOCASE,
    middleInitial TEXT COLLATE NOCASE,
    ecourse       TEXT COLLATE NOCASE
);

CREATE INDEX IF NOT EXISTS tload_prof_period ON TLOAD (professorid, periodcode);

CREATE TABLE IF NOT EXISTS PERIOD (
    sy_sem TEXT COLLATE NOCASE,
    status TEXT COLLATE NOCASE,
    tanong TEXT COLLATE NOCASE
);
