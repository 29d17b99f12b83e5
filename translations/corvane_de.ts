<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>DeletedTasks</name>
    <message>
        <source>Cannot keep a copy of the deleted tasks in %1:
%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DesktopSetup</name>
    <message>
        <source>Corvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Corvane keeps a product backlog and its sprints as files in a folder of their own.
Which folder should it use?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose another folder…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot make the folder %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open the folder %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileLock</name>
    <message>
        <source>Its lock file %1 cannot be opened: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Another program keeps it locked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file system of its folder offers no file locks (%1), so the change was not saved.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ListDialog</name>
    <message>
        <source>Dialog</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Corvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Product backlog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Product</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sprints</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sprint settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New sprint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open folder…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New sprint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keyboard shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keyboard shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Corvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Corvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;h3&gt;Corvane %1&lt;/h3&gt;&lt;p&gt;Plans a product backlog and numbered sprints, each kept as a plain text file with one task a line, in the folder it is started in.&lt;/p&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open another planner folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make a new sprint and open it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab, Shift+Tab</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to the next or previous list or button</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Press the button that has the focus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit the selected task; in a picker, take the selected rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete the selected task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alt+Up, Alt+Down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the selected task up or down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alt+Home, Alt+End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move the selected task to the top or the bottom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Z, Ctrl+Shift+Z</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo, redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Shift+T</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore deleted tasks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift+F10, Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the list&apos;s menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Enter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take the text in the task editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Escape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close the window or dialog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No new sprint number is left: %1 is the highest sprint number there can be.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PBacklogWindow</name>
    <message>
        <source>Product Backlog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tasks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This task is %1 characters long, too long to edit here; it is left as it is.
It begins: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The product backlog holds every line you typed already, and keeps each task once.
Change the text, or cancel to leave the task as it was.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The task you edited was changed or removed by another window or program while the editor was open.
Add what you typed as a new task?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SafeWrite</name>
    <message>
        <source>The folder %1 is not writable (%2).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SprintWindow</name>
    <message>
        <source>Sprint settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sprint number:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add from sprint backlog</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sprint tasks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move to another sprint</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add tasks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move task</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The product backlog has no tasks. Add them in the product backlog window first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no other sprint to move the task to. Make one with &quot;New sprint&quot; in the main window first.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TaskCommand</name>
    <message>
        <source>
Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list already reads as this step would leave it: another window or program made the same change. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit task</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TaskDialog</name>
    <message>
        <source>Task description:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TaskListController</name>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore deleted tasks…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move down</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move to top</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Move to bottom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore deleted tasks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No task of this list has been deleted lately, so there is none to restore.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TaskListFile</name>
    <message>
        <source>Cannot create file %1:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot move tasks from %1 to %2:
Both names lead to the same file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tasks are now in both %1 and %2.
%3
Taking them back out of %2 failed too:
%4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot change file %1:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot lock file %1:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is a directory.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It is not a regular file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot read file %1:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write file %1:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File %1 is not valid %2 text.
Its tasks are shown as read, and no change is saved over them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File %1 was removed by another program.
The list is empty now; the next change starts a new file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A task you chose is no longer in %1:
another window or program changed or removed it. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds already every task this change would add:
another window or program put them there. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File %1 is gone:
another window or program removed it. It is not made anew here. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TaskUndoStack</name>
    <message>
        <source>Cannot redo &quot;%1&quot;:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot undo &quot;%1&quot;:
%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
