-- The program's PostgreSQL role, with exactly the rights that its statements use.
--
-- Every copy of Zelkarin carries its connection string, this role's name and password
-- included, so anyone with a copy can log in as the role. It may read Prof_login, TLOAD and
-- PERIOD, append rows to tbllog and rewrite Prof_login.password; nothing else, and it owns
-- nothing. Run the script in the program's catalog as a superuser; running it again sets the
-- password anew and brings the role back to this one state, whatever it was given since:
--
--   psql -v role=zelkarin -v password='...' -d Tevrin -f data/roles/postgresql.sql
--
-- The role name is used as written (a quoted identifier): give the same spelling as the
-- "User ID" of the program's connection string. Needs PostgreSQL 15 or later (the server's
-- parameter rights, pg_parameter_acl, came in 15) and its psql.

\set ON_ERROR_STOP on

SELECT NOT (:{?role} AND :{?password}) AS missing_variables \gset
\if :missing_variables
DO $$ BEGIN RAISE EXCEPTION 'name the role and its password: psql -v role=NAME -v password=SECRET'; END $$;
\endif

-- All or nothing: an error anywhere below leaves the role as it was.
BEGIN;

-- An owner keeps every right on what it owns, whatever is revoked: stop while the role owns
-- anything, in any database of the server (their objects and the databases themselves).
SELECT format('DO $$ BEGIN RAISE EXCEPTION %L; END $$',
              format('the role %s owns objects in %s: give them another owner first (REASSIGN OWNED BY ... TO ... in each)',
                     :'role', string_agg(DISTINCT coalesce(d.datname, 'the server (a database or tablespace)'), ', ')))
FROM pg_shdepend s
JOIN pg_roles r ON r.oid = s.refobjid
LEFT JOIN pg_database d ON d.oid = s.dbid
WHERE r.rolname = :'role' AND s.deptype = 'o'
HAVING count(*) > 0 \gexec

SELECT format('CREATE ROLE %I', :'role')
WHERE NOT EXISTS (SELECT FROM pg_roles WHERE rolname = :'role') \gexec

-- A plain login that does not expire: no superuser, no new databases or roles, no
-- replication, row security applies.
ALTER ROLE :"role" WITH LOGIN PASSWORD :'password' NOSUPERUSER NOCREATEDB NOCREATEROLE
    NOREPLICATION NOBYPASSRLS INHERIT CONNECTION LIMIT -1 VALID UNTIL 'infinity';

-- Settings on the role (default_transaction_read_only = on would fail every audit row), in
-- every database and for all of them.
SELECT format('ALTER ROLE %I %s RESET ALL', :'role', 'IN DATABASE ' || quote_ident(d.datname))
FROM pg_db_role_setting s
JOIN pg_roles r ON r.oid = s.setrole
LEFT JOIN pg_database d ON d.oid = s.setdatabase
WHERE r.rolname = :'role' \gexec

-- Memberships (pg_write_all_data, a group).
SELECT format('REVOKE %I FROM %I', g.rolname, :'role')
FROM pg_auth_members m
JOIN pg_roles g ON g.oid = m.roleid
JOIN pg_roles r ON r.oid = m.member
WHERE r.rolname = :'role' \gexec

-- Every right on every kind of object of this database, and on the server's shared ones, by
-- whichever role granted it: a REVOKE takes back only its own grantor's grants. CASCADE takes
-- back too what the role passed on.
WITH acl(kind, object, entries) AS (
    SELECT CASE c.relkind WHEN 'S' THEN 'SEQUENCE' ELSE 'TABLE' END, c.oid::regclass::text, c.relacl
    FROM pg_class c
    UNION ALL SELECT 'TABLE', a.attrelid::regclass::text, a.attacl FROM pg_attribute a
    UNION ALL SELECT 'SCHEMA', quote_ident(n.nspname), n.nspacl FROM pg_namespace n
    UNION ALL SELECT 'ROUTINE', p.oid::regprocedure::text, p.proacl FROM pg_proc p
    UNION ALL SELECT 'LARGE OBJECT', l.oid::text, l.lomacl FROM pg_largeobject_metadata l
    UNION ALL SELECT 'TYPE', t.oid::regtype::text, t.typacl FROM pg_type t
    UNION ALL SELECT 'LANGUAGE', quote_ident(l.lanname), l.lanacl FROM pg_language l
    UNION ALL SELECT 'FOREIGN DATA WRAPPER', quote_ident(w.fdwname), w.fdwacl
    FROM pg_foreign_data_wrapper w
    UNION ALL SELECT 'FOREIGN SERVER', quote_ident(f.srvname), f.srvacl FROM pg_foreign_server f
    UNION ALL SELECT 'DATABASE', quote_ident(d.datname), d.datacl FROM pg_database d
    UNION ALL SELECT 'TABLESPACE', quote_ident(s.spcname), s.spcacl FROM pg_tablespace s
    UNION ALL SELECT 'PARAMETER', p.parname, p.paracl FROM pg_parameter_acl p
)
SELECT DISTINCT format('SET ROLE %I; REVOKE ALL ON %s %s FROM %I CASCADE; RESET ROLE',
                       g.rolname, a.kind, a.object, :'role')
FROM acl a
CROSS JOIN LATERAL aclexplode(a.entries) e
JOIN pg_roles g ON g.oid = e.grantor
JOIN pg_roles r ON r.oid = e.grantee
WHERE r.rolname = :'role' \gexec

-- Default privileges that other roles' future objects would give it.
SELECT format('ALTER DEFAULT PRIVILEGES FOR ROLE %I %s REVOKE ALL ON %s FROM %I CASCADE',
              o.rolname, 'IN SCHEMA ' || quote_ident(n.nspname),
              CASE d.defaclobjtype WHEN 'r' THEN 'TABLES' WHEN 'S' THEN 'SEQUENCES'
                  WHEN 'f' THEN 'FUNCTIONS' WHEN 'T' THEN 'TYPES' ELSE 'SCHEMAS' END,
              :'role')
FROM pg_default_acl d
CROSS JOIN LATERAL aclexplode(d.defaclacl) e
JOIN pg_roles o ON o.oid = d.defaclrole
JOIN pg_roles r ON r.oid = e.grantee
LEFT JOIN pg_namespace n ON n.oid = d.defaclnamespace
WHERE r.rolname = :'role' \gexec

GRANT CONNECT ON DATABASE :"DBNAME" TO :"role";
GRANT USAGE ON SCHEMA public TO :"role";

-- The program's statements, one right per line (tests/roles runs the statements as the role,
-- takes each grant back in turn, and holds these lines against data/roles/sqlserver.sql).
-- The credential check and the account lookup read whole rows; the password update's WHERE
-- reads profid.
GRANT SELECT ON Prof_login TO :"role";
-- The password change.
GRANT UPDATE (password) ON Prof_login TO :"role";
-- The audit row of each login.
GRANT INSERT ON tbllog TO :"role";
-- The teaching-load list and the class list.
GRANT SELECT ON TLOAD TO :"role";
-- The active period and the offered periods.
GRANT SELECT ON PERIOD TO :"role";

COMMIT;
