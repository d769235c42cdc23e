-- The league database. Relations are foreign keys, so the engine refuses to delete a
-- manager, player, prize or position that another row still refers to. A link that
-- points nowhere is stored as null, never as 0.

CREATE TABLE [position info] (
    [id]    INTEGER PRIMARY KEY NOT NULL CHECK ([id] > 0),
    [abbr]  TEXT NOT NULL DEFAULT '',
    [desc]  TEXT NOT NULL DEFAULT ''
);

CREATE TABLE [team info] (
    [id]           INTEGER PRIMARY KEY NOT NULL CHECK ([id] > 0),
    [name]         TEXT NOT NULL DEFAULT '',
    [nickname]     TEXT NOT NULL DEFAULT '',
    [abbr]         TEXT NOT NULL DEFAULT '',
    [position id]  INTEGER REFERENCES [position info] ([id])
);

CREATE TABLE [player info] (
    [id]           INTEGER PRIMARY KEY NOT NULL CHECK ([id] > 0),
    [first name]   TEXT NOT NULL DEFAULT '',
    [last name]    TEXT NOT NULL DEFAULT '',
    [position id]  INTEGER REFERENCES [position info] ([id]),
    [team id]      INTEGER REFERENCES [team info] ([id]),
    [is retired]   INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE [manager info] (
    [id]          INTEGER PRIMARY KEY NOT NULL CHECK ([id] > 0),
    [first name]  TEXT NOT NULL DEFAULT '',
    [last name]   TEXT NOT NULL DEFAULT ''
);

CREATE TABLE [prize type info] (
    [type id]    INTEGER PRIMARY KEY NOT NULL CHECK ([type id] > 0),
    [type name]  TEXT NOT NULL DEFAULT ''
);

CREATE TABLE [prize info] (
    [id]       INTEGER PRIMARY KEY NOT NULL CHECK ([id] > 0),
    [desc]     TEXT NOT NULL DEFAULT '',
    [type id]  INTEGER REFERENCES [prize type info] ([type id])
);

CREATE TABLE [season info] (
    [id]                   INTEGER PRIMARY KEY NOT NULL CHECK ([id] > 0),
    [season year]          INTEGER NOT NULL UNIQUE,
    [no of players]        INTEGER NOT NULL DEFAULT 0,
    [no of rounds]         INTEGER NOT NULL DEFAULT 0,
    [money contribution]   INTEGER NOT NULL DEFAULT 0,
    [no of regular weeks]  INTEGER NOT NULL DEFAULT 0,
    [total no of weeks]    INTEGER NOT NULL DEFAULT 0,
    [is ranking locked]    INTEGER NOT NULL DEFAULT 0,
    [is draft locked]      INTEGER NOT NULL DEFAULT 0,
    [is season locked]     INTEGER NOT NULL DEFAULT 0,
    [has season started]   INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE [playing info] (
    [season id]   INTEGER NOT NULL REFERENCES [season info] ([id]),
    [manager id]  INTEGER NOT NULL REFERENCES [manager info] ([id]),
    [ranking]     INTEGER,
    [fee paid]    INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY ([season id], [manager id])
);
CREATE INDEX [playing info by manager] ON [playing info] ([manager id]);

CREATE TABLE [money distribution info] (
    [season id]  INTEGER NOT NULL REFERENCES [season info] ([id]),
    [prize id]   INTEGER NOT NULL REFERENCES [prize info] ([id]),
    [money]      INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY ([season id], [prize id])
);
CREATE INDEX [money distribution info by prize] ON [money distribution info] ([prize id]);

CREATE TABLE [draft info] (
    [season id]   INTEGER NOT NULL REFERENCES [season info] ([id]),
    [draft no]    INTEGER NOT NULL CHECK ([draft no] > 0),
    [manager id]  INTEGER REFERENCES [manager info] ([id]),
    [player id]   INTEGER REFERENCES [player info] ([id]),
    [team id]     INTEGER REFERENCES [team info] ([id]),
    PRIMARY KEY ([season id], [draft no])
);
CREATE INDEX [draft info by manager] ON [draft info] ([manager id]);
CREATE INDEX [draft info by player] ON [draft info] ([player id]);
CREATE INDEX [draft info by team] ON [draft info] ([team id]);

CREATE TABLE [winning info] (
    [id]          INTEGER PRIMARY KEY NOT NULL CHECK ([id] > 0),
    [season id]   INTEGER NOT NULL REFERENCES [season info] ([id]),
    [manager id]  INTEGER NOT NULL REFERENCES [manager info] ([id]),
    [prize id]    INTEGER NOT NULL REFERENCES [prize info] ([id]),
    [week #]      INTEGER
);
CREATE INDEX [winning info by season] ON [winning info] ([season id]);
CREATE INDEX [winning info by manager] ON [winning info] ([manager id]);
CREATE INDEX [winning info by prize] ON [winning info] ([prize id]);

-- One row, ID 1. The current season is null until a season exists.
CREATE TABLE [settings] (
    [ID]                 INTEGER PRIMARY KEY NOT NULL,
    [current season id]  INTEGER
);

-- Named settings of the league as text (site title, pick clock, ...). The data service
-- creates this table in an older league file at the first store.
CREATE TABLE [league setting info] (
    [name]   TEXT PRIMARY KEY NOT NULL CHECK ([name] <> ''),
    [value]  TEXT NOT NULL
);
