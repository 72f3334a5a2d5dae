-- The program's PostgreSQL role, with exactly the rights that its statements use.
--
-- Every copy of Zelkarin carries its connection string, this role's name and password
-- included, so anyone with a copy can log in as the role. It may read Prof_login, TLOAD and
-- PERIOD, append rows to tbllog and rewrite Prof_login.password; nothing else, and it owns
-- nothing. Run the script in the program's catalog as a superuser; running it again sets the
-- password anew and takes back every other right the role was given:
--
--   psql -v role=zelkarin -v password='...' -d Tevrin -f data/roles/postgresql.sql
--
-- The role name is used as written (a quoted identifier): give the same spelling as the
-- "User ID" of the program's connection string.

\set ON_ERROR_STOP on

SELECT NOT (:{?role} AND :{?password}) AS missing_variables \gset
\if :missing_variables
DO $$ BEGIN RAISE EXCEPTION 'name the role and its password: psql -v role=NAME -v password=SECRET'; END $$;
\endif

SELECT EXISTS (
    SELECT FROM pg_roles r
    WHERE r.rolname = :'role'
      AND (EXISTS (SELECT FROM pg_class c WHERE c.relowner = r.oid)
           OR EXISTS (SELECT FROM pg_namespace n WHERE n.nspowner = r.oid)
           OR EXISTS (SELECT FROM pg_database d
                      WHERE d.datname = current_database() AND d.datdba = r.oid))
) AS owns_objects \gset
\if :owns_objects
DO $$ BEGIN RAISE EXCEPTION 'the role owns this database or objects in it: give them another owner first (REASSIGN OWNED BY ... TO ...)'; END $$;
\endif

SELECT format('CREATE ROLE %I', :'role')
WHERE NOT EXISTS (SELECT FROM pg_roles WHERE rolname = :'role') \gexec

-- A plain login: no superuser, no new databases or roles, no replication, row security applies.
ALTER ROLE :"role" WITH LOGIN PASSWORD :'password' NOSUPERUSER NOCREATEDB NOCREATEROLE NOREPLICATION NOBYPASSRLS;

-- Whatever it was given before goes: memberships (pg_write_all_data, a group) and table rights.
SELECT format('REVOKE %I FROM %I', g.rolname, :'role')
FROM pg_auth_members m
JOIN pg_roles g ON g.oid = m.roleid
JOIN pg_roles r ON r.oid = m.member
WHERE r.rolname = :'role' \gexec
REVOKE ALL ON ALL TABLES IN SCHEMA public FROM :"role";
REVOKE ALL ON SCHEMA public FROM :"role";

GRANT CONNECT ON DATABASE :"DBNAME" TO :"role";
GRANT USAGE ON SCHEMA public TO :"role";

-- The program's statements, one right per line (tests/roles reads these lines and holds them
-- against the statements and against data/roles/sqlserver.sql).
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
