-- Reference data of every league database. Teams and players come from the CSV files.
INSERT INTO [position info] ([id], [abbr], [desc]) VALUES
    (1, 'QB', 'Quarterback'),
    (2, 'RB', 'Running Back'),
    (3, 'WR', 'Wide Receiver'),
    (4, 'TE', 'Tight End'),
    (5, 'K', 'Kicker'),
    -- Teams are drafted as their defence; the player editor leaves this position out.
    (6, 'DEF', 'Team Defense');

INSERT INTO [prize type info] ([type id], [type name]) VALUES
    (1, 'Season'),
    (2, 'Weekly');

-- Ids 1 and 2 are the champion and the runner-up: the reports rely on them.
INSERT INTO [prize info] ([id], [desc], [type id]) VALUES
    (1, 'Champion', 1),
    (2, 'Runner-up', 1),
    (3, 'Third Place', 1),
    (4, 'Regular Season Points Leader', 1),
    (5, 'Weekly High Score', 2);

INSERT INTO [settings] ([ID], [current season id]) VALUES (1, NULL);
