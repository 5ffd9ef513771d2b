-- Building a 200,000-item list and scanning it by index. The list is an
-- object with methods, as the ORV program's TStringList is.
local StringList = {}
StringList.__index = StringList

function StringList.new()
  return setmetatable({items = {}, n = 0}, StringList)
end

function StringList:Add(s)
  self.items[self.n] = s
  self.n = self.n + 1
  return self.n - 1
end

function StringList:Count()
  return self.n
end

function StringList:Get(i)
  return self.items[i]
end

function StringList:IndexOf(s)
  for i = 0, self.n - 1 do
    if self.items[i] == s then return i end
  end
  return -1
end

local L = StringList.new()
for i = 1, 200000 do
  L:Add('item' .. tostring(i))
end
local n = 0
for i = 0, L:Count() - 1 do
  if #L:Get(i) > 9 then n = n + 1 end
end
n = n + L:IndexOf('item777')
return n
