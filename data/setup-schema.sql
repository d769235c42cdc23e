-- The setup database: which league database is in use and the backup bookkeeping.
-- Values are kept as text and read by their leading number.
CREATE TABLE [settings] (
    [ID]             INTEGER PRIMARY KEY NOT NULL,
    [database type]  TEXT,
    [backup count]   TEXT,
    [backup date]    TEXT
);

INSERT INTO [settings] ([ID], [database type], [backup count], [backup date])
VALUES (1, '1', '0', '');
