-- The program's SQL Server login TV, with exactly the rights that its statements use.
--
-- Every copy of Zelkarin carries this login and its password in its connection string
-- (src/core/Connections.cpp), so anyone with a copy can log in as TV. It may read Prof_login,
-- TLOAD and PERIOD, append rows to tbllog and rewrite Prof_login.password; nothing else, and
-- it owns nothing. Run the script as a member of sysadmin; running it again sets the password
-- anew and takes back every other right the login was given:
--
--   sqlcmd -S <server> -E -b -i data/roles/sqlserver.sql
--
-- The tables are taken to be in the schema dbo of the catalog Tevrin.

USE [Tevrin];
GO

-- One batch: when the check stops it, nothing has been changed.
IF EXISTS (SELECT 1 FROM sys.databases WHERE database_id = DB_ID() AND owner_sid = SUSER_SID(N'TV'))
    OR EXISTS (SELECT 1 FROM sys.schemas AS s
               JOIN sys.database_principals AS u ON u.principal_id = s.principal_id
               WHERE u.name = N'TV')
    OR EXISTS (SELECT 1 FROM sys.objects AS o
               JOIN sys.database_principals AS u ON u.principal_id = o.principal_id
               WHERE u.name = N'TV')
    THROW 50000, N'TV owns the catalog Tevrin or a schema or object in it: give them another owner first (ALTER AUTHORIZATION).', 1;

-- No password policy: the password is fixed in every copy of the program, and the lockout
-- that the policy brings would let anyone lock the whole college out with a few wrong tries.
IF NOT EXISTS (SELECT 1 FROM sys.server_principals WHERE name = N'TV')
    CREATE LOGIN [TV] WITH PASSWORD = N'vexaKORM51', DEFAULT_DATABASE = [Tevrin],
        CHECK_EXPIRATION = OFF, CHECK_POLICY = OFF;
ELSE
    ALTER LOGIN [TV] WITH PASSWORD = N'vexaKORM51', DEFAULT_DATABASE = [Tevrin],
        CHECK_EXPIRATION = OFF, CHECK_POLICY = OFF;
ALTER LOGIN [TV] ENABLE;

IF NOT EXISTS (SELECT 1 FROM sys.database_principals WHERE name = N'TV')
    CREATE USER [TV] FOR LOGIN [TV] WITH DEFAULT_SCHEMA = [dbo];
ELSE
    ALTER USER [TV] WITH LOGIN = [TV], DEFAULT_SCHEMA = [dbo];

-- Server roles (sysadmin, ...) and server permissions it was given before go; server
-- permissions are revoked in master.
DECLARE @revoke nvarchar(max) = N'';
SELECT @revoke += N'ALTER SERVER ROLE ' + QUOTENAME(r.name) + N' DROP MEMBER [TV]; '
FROM sys.server_role_members AS m
JOIN sys.server_principals AS r ON r.principal_id = m.role_principal_id
JOIN sys.server_principals AS l ON l.principal_id = m.member_principal_id
WHERE l.name = N'TV';
SELECT @revoke += N'REVOKE ' + p.permission_name + N' FROM [TV] CASCADE; '
FROM sys.server_permissions AS p
JOIN sys.server_principals AS l ON l.principal_id = p.grantee_principal_id
WHERE l.name = N'TV' AND p.class = 100 AND p.permission_name <> N'CONNECT SQL';
EXEC [master].sys.sp_executesql @revoke;

-- Database roles (db_owner, db_datareader, db_datawriter, ...) and every permission it was
-- given in Tevrin before, down to single columns, go.
SET @revoke = N'';
SELECT @revoke += N'ALTER ROLE ' + QUOTENAME(r.name) + N' DROP MEMBER [TV]; '
FROM sys.database_role_members AS m
JOIN sys.database_principals AS r ON r.principal_id = m.role_principal_id
JOIN sys.database_principals AS u ON u.principal_id = m.member_principal_id
WHERE u.name = N'TV';
SELECT @revoke += N'REVOKE ' + p.permission_name
    + CASE p.class
        WHEN 1 THEN N' ON ' + QUOTENAME(OBJECT_SCHEMA_NAME(p.major_id)) + N'.'
            + QUOTENAME(OBJECT_NAME(p.major_id))
            + CASE WHEN p.minor_id > 0
                THEN N' (' + QUOTENAME(COL_NAME(p.major_id, p.minor_id)) + N')' ELSE N'' END
        WHEN 3 THEN N' ON SCHEMA::' + QUOTENAME(SCHEMA_NAME(p.major_id))
        ELSE N'' END
    + N' FROM [TV] CASCADE; '
FROM sys.database_permissions AS p
JOIN sys.database_principals AS u ON u.principal_id = p.grantee_principal_id
WHERE u.name = N'TV' AND p.class IN (0, 1, 3) AND p.permission_name <> N'CONNECT';
EXEC sys.sp_executesql @revoke;

GRANT CONNECT TO [TV];

-- The program's statements, one right per line (tests/roles reads these lines and holds them
-- against the statements and against data/roles/postgresql.sql).
-- The credential check and the account lookup read whole rows; the password update's WHERE
-- reads profid.
GRANT SELECT ON [dbo].[Prof_login] TO [TV];
-- The password change.
GRANT UPDATE ([password]) ON [dbo].[Prof_login] TO [TV];
-- The audit row of each login. SQL Server grants INSERT for whole tables only.
GRANT INSERT ON [dbo].[tbllog] TO [TV];
-- The teaching-load list and the class list.
GRANT SELECT ON [dbo].[TLOAD] TO [TV];
-- The active period and the offered periods.
GRANT SELECT ON [dbo].[PERIOD] TO [TV];
GO
