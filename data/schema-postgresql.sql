-- Zelkarin development database for PostgreSQL.
--
-- The college keeps these four tables on SQL Server, whose default collation
-- compares text without regard to letter case. Every column here is citext
-- (from postgresql-contrib) to behave the same way. PostgreSQL pushes the
-- HAVING terms of the grouped teaching-load statements on citext columns into
-- a scan of the index on TLOAD.
--
-- Table and column names are unquoted, so PostgreSQL folds them to lower case
-- and the statements may spell them in any case (Prof_login, TLOAD, LASTNAME).
--
-- Run with: psql -v ON_ERROR_STOP=1 -f data/schema-postgresql.sql
-- Every statement ends with a semicolon at the end of its line.

CREATE EXTENSION IF NOT EXISTS citext;

CREATE TABLE IF NOT EXISTS Prof_login (
    profid    citext,
    password  citext,
    lastname  citext,
    firstname citext,
    dept      citext
);

CREATE TABLE IF NOT EXISTS tbllog (
    userid citext,
    oras   citext,
    araw   citext,
    IP     citext,
    name   citext
);

CREATE TABLE IF NOT EXISTS TLOAD (
    professorid   citext,
    periodcode    citext,
    subject       citext,
    subjectname   citext,
    units         citext,
    schedule      citext,
    room          citext,
    ssection      citext,
    enrollstatus  citext,
    studentID     citext,
    lastname      citext,
    firstname     citext,
    middleInitial citext,
    ecourse       citext
);

CREATE INDEX IF NOT EXISTS tload_prof_period ON TLOAD (professorid, periodcode);

CREATE TABLE IF NOT EXISTS PERIOD (
    sy_sem citext,
    status citext,
    tanong citext
);
