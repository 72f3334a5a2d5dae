-- The program's SQL Server login TV, with exactly the rights that its statements use.
--
-- Every copy of Zelkarin carries this login and its password in its connection string
-- (src/core/Connections.cpp), so anyone with a copy can log in as TV. It may read Prof_login,
-- TLOAD and PERIOD, append rows to tbllog and rewrite Prof_login.password; nothing else, and
-- it owns nothing. Run the script as a member of sysadmin; running it again sets the password
-- anew and brings the login back to this one state, whatever it was given since:
--
--   sqlcmd -S <server> -E -b -i data/roles/sqlserver.sql
--
-- The tables are taken to be in the schema dbo of the catalog Tevrin. Needs SQL Server 2017
-- or later: the revoke lists are built with STRING_AGG. Databases that are offline or read-only
-- are left as they are.

IF CAST(SERVERPROPERTY('ProductMajorVersion') AS int) < 14
    THROW 50000, N'This script needs SQL Server 2017 or later.', 1;
GO

USE [Tevrin];
GO

-- One batch and one transaction: when a check or a statement stops it, everything is undone.
SET XACT_ABORT ON;
BEGIN TRANSACTION;

-- The login and its user in each database are found by the login's SID, whatever their names.
DECLARE @sid varbinary(85) = SUSER_SID(N'TV');
DECLARE @sql nvarchar(max);

-- Code that @eachDatabase (below) runs in each database, given @sid. What the user owns:
DECLARE @check nvarchar(max) = N'
DECLARE @user int = (SELECT principal_id FROM sys.database_principals WHERE sid = @sid);
IF @user IS NOT NULL
    AND (EXISTS (SELECT 1 FROM sys.schemas WHERE principal_id = @user)
         OR EXISTS (SELECT 1 FROM sys.objects WHERE principal_id = @user)
         OR EXISTS (SELECT 1 FROM sys.types WHERE principal_id = @user)
         OR EXISTS (SELECT 1 FROM sys.database_principals WHERE owning_principal_id = @user)
         OR EXISTS (SELECT 1 FROM sys.certificates WHERE principal_id = @user)
         OR EXISTS (SELECT 1 FROM sys.asymmetric_keys WHERE principal_id = @user)
         OR EXISTS (SELECT 1 FROM sys.symmetric_keys WHERE principal_id = @user)
         OR EXISTS (SELECT 1 FROM sys.assemblies WHERE principal_id = @user)
         OR EXISTS (SELECT 1 FROM sys.xml_schema_collections WHERE principal_id = @user)
         OR EXISTS (SELECT 1 FROM sys.fulltext_catalogs WHERE principal_id = @user)
         OR EXISTS (SELECT 1 FROM sys.fulltext_stoplists WHERE principal_id = @user)
         OR EXISTS (SELECT 1 FROM sys.services WHERE principal_id = @user)
         OR EXISTS (SELECT 1 FROM sys.service_contracts WHERE principal_id = @user)
         OR EXISTS (SELECT 1 FROM sys.service_message_types WHERE principal_id = @user)
         OR EXISTS (SELECT 1 FROM sys.routes WHERE principal_id = @user)
         OR EXISTS (SELECT 1 FROM sys.remote_service_bindings WHERE principal_id = @user))
BEGIN
    DECLARE @owns nvarchar(2048) = N''TV owns a schema, object, type, role, key, certificate or other securable in the database '' + QUOTENAME(DB_NAME()) + N'': give it another owner first (ALTER AUTHORIZATION), then run the script again.'';
    THROW 50000, @owns, 1;
END;';
-- Its role memberships and every permission it holds, taken back:
DECLARE @revokeAll nvarchar(max) = N'
DECLARE @user int = (SELECT principal_id FROM sys.database_principals WHERE sid = @sid);
DECLARE @revoke nvarchar(max);
IF @user IS NOT NULL
BEGIN
    IF EXISTS (SELECT 1 FROM sys.database_permissions WHERE grantee_principal_id = @user
               AND class NOT IN (0, 1, 3, 4, 5, 6, 10, 15, 16, 17, 18, 19, 23, 24, 25, 26, 29, 31, 32))
    BEGIN
        DECLARE @unknown nvarchar(2048) = N''TV holds a permission of a class that the script does not know in the database '' + QUOTENAME(DB_NAME()) + N'' (sys.database_permissions): revoke it by hand, then run the script again.'';
        THROW 50000, @unknown, 1;
    END;
    SELECT @revoke = STRING_AGG(CAST(N''ALTER ROLE '' + QUOTENAME(r.name) + N'' DROP MEMBER '' + QUOTENAME(USER_NAME(@user)) AS nvarchar(max)), N''; '')
    FROM sys.database_role_members AS m
    JOIN sys.database_principals AS r ON r.principal_id = m.role_principal_id
    WHERE m.member_principal_id = @user;
    IF @revoke IS NOT NULL
        EXEC (@revoke);
    -- Each grant and deny by its own grantor; the securable of each permission class.
    SELECT @revoke = STRING_AGG(CAST(N''REVOKE '' + x.permission_name + x.securable + N'' FROM '' + QUOTENAME(USER_NAME(@user)) + N'' CASCADE AS '' + QUOTENAME(x.grantor) AS nvarchar(max)), N''; '')
    FROM (SELECT p.permission_name, g.name AS grantor,
              CASE p.class
                  WHEN 0 THEN N''''
                  WHEN 1 THEN N'' ON OBJECT::'' + QUOTENAME(OBJECT_SCHEMA_NAME(p.major_id)) + N''.'' + QUOTENAME(OBJECT_NAME(p.major_id))
                      + CASE WHEN p.minor_id > 0 THEN N'' ('' + QUOTENAME(COL_NAME(p.major_id, p.minor_id)) + N'')'' ELSE N'''' END
                  WHEN 3 THEN N'' ON SCHEMA::'' + QUOTENAME(SCHEMA_NAME(p.major_id))
                  WHEN 4 THEN (SELECT CASE type WHEN ''R'' THEN N'' ON ROLE::'' WHEN ''A'' THEN N'' ON APPLICATION ROLE::'' ELSE N'' ON USER::'' END + QUOTENAME(name)
                               FROM sys.database_principals WHERE principal_id = p.major_id)
                  WHEN 5 THEN (SELECT N'' ON ASSEMBLY::'' + QUOTENAME(name) FROM sys.assemblies WHERE assembly_id = p.major_id)
                  WHEN 6 THEN (SELECT N'' ON TYPE::'' + QUOTENAME(SCHEMA_NAME(schema_id)) + N''.'' + QUOTENAME(name) FROM sys.types WHERE user_type_id = p.major_id)
                  WHEN 10 THEN (SELECT N'' ON XML SCHEMA COLLECTION::'' + QUOTENAME(SCHEMA_NAME(schema_id)) + N''.'' + QUOTENAME(name) FROM sys.xml_schema_collections WHERE xml_collection_id = p.major_id)
                  WHEN 15 THEN (SELECT N'' ON MESSAGE TYPE::'' + QUOTENAME(name) FROM sys.service_message_types WHERE message_type_id = p.major_id)
                  WHEN 16 THEN (SELECT N'' ON CONTRACT::'' + QUOTENAME(name) FROM sys.service_contracts WHERE service_contract_id = p.major_id)
                  WHEN 17 THEN (SELECT N'' ON SERVICE::'' + QUOTENAME(name) FROM sys.services WHERE service_id = p.major_id)
                  WHEN 18 THEN (SELECT N'' ON REMOTE SERVICE BINDING::'' + QUOTENAME(name) FROM sys.remote_service_bindings WHERE remote_service_binding_id = p.major_id)
                  WHEN 19 THEN (SELECT N'' ON ROUTE::'' + QUOTENAME(name) FROM sys.routes WHERE route_id = p.major_id)
                  WHEN 23 THEN (SELECT N'' ON FULLTEXT CATALOG::'' + QUOTENAME(name) FROM sys.fulltext_catalogs WHERE fulltext_catalog_id = p.major_id)
                  WHEN 24 THEN (SELECT N'' ON SYMMETRIC KEY::'' + QUOTENAME(name) FROM sys.symmetric_keys WHERE symmetric_key_id = p.major_id)
                  WHEN 25 THEN (SELECT N'' ON CERTIFICATE::'' + QUOTENAME(name) FROM sys.certificates WHERE certificate_id = p.major_id)
                  WHEN 26 THEN (SELECT N'' ON ASYMMETRIC KEY::'' + QUOTENAME(name) FROM sys.asymmetric_keys WHERE asymmetric_key_id = p.major_id)
                  WHEN 29 THEN (SELECT N'' ON FULLTEXT STOPLIST::'' + QUOTENAME(name) FROM sys.fulltext_stoplists WHERE stoplist_id = p.major_id)
                  WHEN 31 THEN (SELECT N'' ON SEARCH PROPERTY LIST::'' + QUOTENAME(name) FROM sys.registered_search_property_lists WHERE property_list_id = p.major_id)
                  WHEN 32 THEN (SELECT N'' ON DATABASE SCOPED CREDENTIAL::'' + QUOTENAME(name) FROM sys.database_scoped_credentials WHERE credential_id = p.major_id)
              END AS securable
          FROM sys.database_permissions AS p
          JOIN sys.database_principals AS g ON g.principal_id = p.grantor_principal_id
          WHERE p.grantee_principal_id = @user) AS x;
    IF @revoke IS NOT NULL
        EXEC (@revoke);
END;';
DECLARE @eachDatabase nvarchar(max) = (
    SELECT STRING_AGG(CAST(N'EXEC ' + QUOTENAME(name) + N'.sys.sp_executesql @code, N''@sid varbinary(85)'', @sid;' AS nvarchar(max)), NCHAR(10))
    FROM sys.databases WHERE state = 0 AND is_read_only = 0);

-- No password policy: the password is fixed in every copy of the program, and the lockout
-- that the policy brings would let anyone lock the whole college out with a few wrong tries.
-- The settings go back to these whatever was set since: the login never expires, and is
-- unlocked and enabled.
IF @sid IS NULL
BEGIN
    CREATE LOGIN [TV] WITH PASSWORD = N'vexaKORM51', DEFAULT_DATABASE = [Tevrin],
        DEFAULT_LANGUAGE = [us_english], CHECK_EXPIRATION = OFF, CHECK_POLICY = OFF;
    SET @sid = SUSER_SID(N'TV');
END
ELSE
BEGIN
    ALTER LOGIN [TV] WITH PASSWORD = N'vexaKORM51' UNLOCK;
    ALTER LOGIN [TV] WITH DEFAULT_DATABASE = [Tevrin], DEFAULT_LANGUAGE = [us_english],
        CHECK_EXPIRATION = OFF, CHECK_POLICY = OFF;
END;
ALTER LOGIN [TV] ENABLE;

-- Its user in Tevrin, under the login's own name; a user TV left without its login (a
-- database restored from another server) is mapped to it again.
DECLARE @user sysname = (SELECT name FROM sys.database_principals WHERE sid = @sid);
IF @user IS NULL AND DATABASE_PRINCIPAL_ID(N'TV') IS NULL
    CREATE USER [TV] FOR LOGIN [TV] WITH DEFAULT_SCHEMA = [dbo];
ELSE IF @user IS NULL
    ALTER USER [TV] WITH LOGIN = [TV], DEFAULT_SCHEMA = [dbo];
ELSE
BEGIN
    SET @sql = N'ALTER USER ' + QUOTENAME(@user) + N' WITH DEFAULT_SCHEMA = [dbo]'
        + CASE WHEN @user <> N'TV' THEN N', NAME = [TV]' ELSE N'' END;
    EXEC sys.sp_executesql @sql;
END;

-- An owner keeps every right on what it owns: stop, undoing the above, while the login owns a
-- database, a server role or an endpoint, or its user owns anything in a database.
IF EXISTS (SELECT 1 FROM sys.databases WHERE owner_sid = @sid)
    OR EXISTS (SELECT 1 FROM sys.server_principals AS o
               JOIN sys.server_principals AS l ON l.principal_id = o.owning_principal_id
               WHERE l.sid = @sid)
    OR EXISTS (SELECT 1 FROM sys.endpoints AS e
               JOIN sys.server_principals AS l ON l.principal_id = e.principal_id
               WHERE l.sid = @sid)
    THROW 50000, N'TV owns a database, a server role or an endpoint: give it another owner first (ALTER AUTHORIZATION), then run the script again.', 1;
EXEC sys.sp_executesql @eachDatabase, N'@code nvarchar(max), @sid varbinary(85)', @check, @sid;

-- Server roles (sysadmin, ...), and server permissions by each grantor, are taken back in
-- master.
IF EXISTS (SELECT 1 FROM sys.server_permissions AS p
           JOIN sys.server_principals AS l ON l.principal_id = p.grantee_principal_id
           WHERE l.sid = @sid AND p.class NOT IN (100, 101, 105))
    THROW 50000, N'TV holds a server permission of a class that the script does not know (sys.server_permissions): revoke it by hand, then run the script again.', 1;
SELECT @sql = STRING_AGG(CAST(N'ALTER SERVER ROLE ' + QUOTENAME(r.name) + N' DROP MEMBER [TV]' AS nvarchar(max)), N'; ')
FROM sys.server_role_members AS m
JOIN sys.server_principals AS r ON r.principal_id = m.role_principal_id
JOIN sys.server_principals AS l ON l.principal_id = m.member_principal_id
WHERE l.sid = @sid;
IF @sql IS NOT NULL
    EXEC [master].sys.sp_executesql @sql;
SELECT @sql = STRING_AGG(CAST(N'REVOKE ' + x.permission_name + x.securable + N' FROM [TV] CASCADE AS ' + QUOTENAME(x.grantor) AS nvarchar(max)), N'; ')
FROM (SELECT p.permission_name, g.name AS grantor,
          CASE p.class
              WHEN 100 THEN N''
              WHEN 101 THEN CASE s.type WHEN 'R' THEN N' ON SERVER ROLE::' ELSE N' ON LOGIN::' END + QUOTENAME(s.name)
              WHEN 105 THEN N' ON ENDPOINT::' + QUOTENAME(e.name)
          END AS securable
      FROM sys.server_permissions AS p
      JOIN sys.server_principals AS l ON l.principal_id = p.grantee_principal_id
      JOIN sys.server_principals AS g ON g.principal_id = p.grantor_principal_id
      LEFT JOIN sys.server_principals AS s ON p.class = 101 AND s.principal_id = p.major_id
      LEFT JOIN sys.endpoints AS e ON p.class = 105 AND e.endpoint_id = p.major_id
      WHERE l.sid = @sid) AS x;
IF @sql IS NOT NULL
    EXEC [master].sys.sp_executesql @sql;
EXEC [master].sys.sp_executesql N'GRANT CONNECT SQL TO [TV]';

-- Database roles (db_owner, db_datareader, ...) and every permission of every class, down to
-- single columns, in every database.
EXEC sys.sp_executesql @eachDatabase, N'@code nvarchar(max), @sid varbinary(85)', @revokeAll, @sid;

GRANT CONNECT TO [TV];

-- The program's statements, one right per line (tests/roles holds these lines against
-- data/roles/postgresql.sql, whose grants it runs on a server).
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

COMMIT;
GO
